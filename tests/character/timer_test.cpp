// Stopwatch checks on replaced clocks: processor vs calendar time, start/stop/restart, messages.
#include "timer.h"

#include <gtest/gtest.h>

#include <string>

namespace {
clock_t fakeClock = 5000000;
time_t fakeTime = 1700000000;
clock_t readFakeClock() { return fakeClock; }
time_t readFakeTime() { return fakeTime; }
}  // namespace

TEST(Timer, ClocksStartStopRestartAndMessages) {
    timer::useClocks(readFakeClock, readFakeTime);
    timer idle, t;
    EXPECT_FALSE(idle.isRunning());
    EXPECT_DOUBLE_EQ(idle.elapsed_time(), (double)fakeTime);  // never started: from the epoch
    t.start();
    fakeClock += 250000;
    fakeTime += 59;
    testing::internal::CaptureStdout();
    t.start("already running");  // no effect but the message: the earlier start stands
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.25);  // processor time below a minute
    fakeTime += 1;
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 60.0);  // then whole calendar seconds
    t.restart();
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.0);
    EXPECT_TRUE(t.isRunning());
    fakeClock += 500000;
    t.stop(nullptr);
    t.stop("idle stop");  // adds nothing
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "already running\nidle stop\n");
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.5);
    EXPECT_FALSE(t.isRunning());
    t.restart();
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.0);
    timer::useClocks(nullptr, nullptr);
}
