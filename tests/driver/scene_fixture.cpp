// The scene fixture: init() once per test process, fake stopwatch clocks.
#include "driver/scene_fixture.h"

#include "character_driver.h"
#include "timer.h"

#include <gtest/gtest.h>

clock_t SceneTest::fakeProcessor = 0;
time_t SceneTest::fakeCalendar = 0;


void SceneTest::SetUp() {
    GLTest::SetUp();
    fakeProcessor = 1000000;
    fakeCalendar = 1800000000;
    timer::useClocks([]() { return SceneTest::fakeProcessor; },
                     []() { return SceneTest::fakeCalendar; });
    testing::internal::CaptureStdout();
    init();
    myReshape(800, 800);
    testing::internal::GetCapturedStdout();
}

void SceneTest::TearDown() {
    timer::useClocks(nullptr, nullptr);
    GLTest::TearDown();
}

void SceneTest::advanceClock(double seconds) {
    static double carry = 0.0;
    double ticks = seconds * CLOCKS_PER_SEC + carry;
    clock_t whole = (clock_t)ticks;
    carry = ticks - (double)whole;
    fakeProcessor += whole;
    // The calendar follows at whole seconds; the stopwatch only uses it beyond a minute.
    fakeCalendar = 1800000000 + (time_t)((fakeProcessor - 1000000) / CLOCKS_PER_SEC);
}

void SceneTest::frame(double seconds) {
    advanceClock(seconds);
    displayCallback();
}
