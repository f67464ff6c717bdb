// Stopwatch checks on replaced clocks: start/stop, laps and their ceiling; and the real clock
// against the wall.
#include "support/fakes.h"

#include <chrono>
#include <thread>

TEST(Timer, StartWhileRunningKeepsTheEarlierStartAndAStoppedTimerAddsNothing) {
    fake::Scope fakes;
    timer t;
    t.start();
    fake::advance(0.25);
    quietly([&] { t.start("again"); });
    fake::advance(0.25);
    t.stop();
    fake::advance(0.25);
    t.stop();
    EXPECT_DOUBLE_EQ(t.accumulated(), 0.5);
}

TEST(Timer, LapsFollowEachOtherWithNothingLostBetweenAfterAnHourOfUptime) {
    fake::Scope fakes;
    fake::advance(3600);  // 3.6e9 ticks: more than 32 bits hold
    timer t;
    t.start();
    fake::advance(0.04);
    EXPECT_DOUBLE_EQ(t.lap(), 0.04);
    fake::advance(0.016);
    EXPECT_DOUBLE_EQ(t.lap(), 0.016);
}

// A stall (the process stopped, a closed lid) gives one step of at most the ceiling, which
// lies where engines put theirs; elapsed time still follows the clock.
TEST(Timer, AStallGivesOneStepOfTheCeilingWhileElapsedTimeFollowsTheClock) {
    fake::Scope fakes;
    EXPECT_LE(timer::MAX_STEP, 0.25);
    timer t;
    t.start();
    for (int seconds : {5, 3600}) {
        fake::advance(seconds);
        fake::calendar += seconds;
        EXPECT_DOUBLE_EQ(t.elapsed_time(), seconds);
        EXPECT_DOUBLE_EQ(t.lap(), timer::MAX_STEP) << seconds;
    }
}

TEST(Timer, SystemClockFollowsTheWallClockNotTheProcessor) {
    timer t;
    t.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // no processor time spent
    EXPECT_GE(t.lap(), 0.049);
}
