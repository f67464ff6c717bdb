// Test support: one real GLUT window per test process; pixel read-back is in pixels.h.
#ifndef QORVEL_TESTS_GL_CONTEXT_H
#define QORVEL_TESTS_GL_CONTEXT_H

#include "support/pixels.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

namespace testgl {

inline GLint getInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

}  // namespace testgl

// Fixture for tests that need GL: the window (opened once per process; GLUT ends the process
// when there is no display), identity matrices, and no GL error left behind by the test.
struct GLTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;
};

#endif
