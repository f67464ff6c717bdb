#include "timer.h"

#include <gtest/gtest.h>

#include <string>

namespace {
clock_t fakeClock = 0;
time_t fakeTime = 0;
clock_t readFakeClock() { return fakeClock; }
time_t readFakeTime() { return fakeTime; }

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeClock = 5000000;
        fakeTime = 1700000000;
        timer::useClocks(readFakeClock, readFakeTime);
    }
    void TearDown() override { timer::useClocks(nullptr, nullptr); }
};
}  // namespace

TEST_F(TimerTest, ProcessorTimeBelowAMinuteCalendarSecondsFromSixty) {
    timer t;
    t.start();
    fakeClock += 250000;  // a quarter second of processor time
    fakeTime += 59;
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.25);
    fakeTime += 1;  // 60 calendar seconds: whole seconds of wall time
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 60.0);
}

TEST_F(TimerTest, NeverStartedMeasuresFromTheEpoch) {
    timer t;
    EXPECT_FALSE(t.isRunning());
    EXPECT_DOUBLE_EQ(t.elapsed_time(), (double)fakeTime);
}

TEST_F(TimerTest, StartOnRunningTimerKeepsInstantsRestartMovesThem) {
    timer t;
    t.start();
    fakeClock += 100000;
    t.start();  // no effect: the earlier start stands
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.1);
    t.restart();
    EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.0);
    EXPECT_TRUE(t.isRunning());
}

TEST_F(TimerTest, StopAccumulatesOnceAndRestartClears) {
    timer t;
    t.start();
    fakeClock += 500000;
    t.stop();
    t.stop();  // idle: adds nothing
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.5);
    EXPECT_FALSE(t.isRunning());
    t.restart();
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.0);
}

TEST_F(TimerTest, MessagesPrintEvenWhenNothingElseHappens) {
    timer t;
    t.start();
    testing::internal::CaptureStdout();
    t.start("already running");
    t.stop(nullptr);
    t.stop("idle stop");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "already running\nidle stop\n");
}
