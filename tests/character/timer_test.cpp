// Stopwatch checks on replaced clocks: processor vs calendar time, start/stop/restart, messages.
#include "timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {
clock_t fakeClock = 5000000;
time_t fakeTime = 1700000000;
int clockReads = 0;
clock_t readFakeClock() {
    clockReads++;
    return fakeClock;
}
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

TEST(Timer, LapMeasuresEachStepFromTheLastOnOneReading) {
    timer::useClocks(readFakeClock, readFakeTime);
    timer t;
    t.start();
    t.stop();  // leaves an accumulation for the lap to clear
    t.start();
    fakeClock += 40000;
    clockReads = 0;
    EXPECT_DOUBLE_EQ(t.lap(), 0.04);
    EXPECT_EQ(clockReads, 1);
    EXPECT_TRUE(t.isRunning());
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.0);
    fakeClock += 16000;
    EXPECT_DOUBLE_EQ(t.lap(), 0.016);  // from the previous lap, nothing lost between
    fakeClock += 123;
    fakeTime += 75;
    EXPECT_DOUBLE_EQ(t.lap(), 75.0);  // a long gap comes back in calendar seconds
    EXPECT_DOUBLE_EQ(t.lap(), 0.0);
    timer idle;  // never started: measured from the epoch, then running
    EXPECT_DOUBLE_EQ(idle.lap(), (double)fakeTime);
    EXPECT_TRUE(idle.isRunning());
    timer::useClocks(nullptr, nullptr);
}

TEST(Timer, SystemClockFollowsTheWallClockNotTheProcessor) {
    timer::useClocks(nullptr, nullptr);
    timer t;
    t.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // no processor time spent
    double step = t.lap();
    EXPECT_GE(step, 0.049);
    EXPECT_LT(step, 5.0);
    double total = 0.0;
    for (int i = 0; i < 1000; i++) {  // back-to-back laps never run backwards
        double next = t.lap();
        EXPECT_GE(next, 0.0);
        total += next;
    }
    EXPECT_LT(total, 5.0);
}
