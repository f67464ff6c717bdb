// The scene fixture: init() once per test process, stopwatches on the fake clock.
#include "driver/scene_fixture.h"

#include "character_driver.h"

void SceneTest::SetUp() {
    GLTest::SetUp();
    fake::ticks = 1000000;
    timer::useClocks(fake::readTicks, fake::readCalendar);
    quietly([] {
        init();
        myReshape(800, 800);
    });
}

void SceneTest::TearDown() {
    timer::useClocks(nullptr, nullptr);
    GLTest::TearDown();
}

void SceneTest::frame(double seconds) {
    fake::advance(seconds);
    displayCallback();
}
