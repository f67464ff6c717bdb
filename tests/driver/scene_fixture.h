// Test support for the driver: the whole scene built by init() in a real window, with the
// stopwatches on a fake clock so frames can be stepped in known time.
#ifndef QORVEL_TESTS_SCENE_FIXTURE_H
#define QORVEL_TESTS_SCENE_FIXTURE_H

#include "support/fakes.h"
#include "support/gl_context.h"

class SceneTest : public GLTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Advances the fake clock and draws one frame through the display callback.
    void frame(double seconds = 1.0 / 60.0);
};

#endif
