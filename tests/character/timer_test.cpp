// Stopwatch checks on replaced clocks: fine vs calendar time, start/stop/restart, laps; and the
// real clock against the wall.
#include "support/fakes.h"

#include <chrono>
#include <thread>

TEST(Timer, StartStopRestartAndLapsOnTheTwoClocks) {
    fake::Scope fakes;
    timer idle, t;
    // Never started: idle, and measuring from 1970.
    EXPECT_TRUE(!idle.isRunning() && idle.elapsed_time() == (double)fake::calendar);
    t.start();
    fake::advance(0.25);
    fake::calendar += 59;
    std::string said = quietly([&] {
        t.start("already running");  // no effect but the message: the earlier start stands
        EXPECT_DOUBLE_EQ(t.elapsed_time(), 0.25);  // fine time below a minute
        fake::calendar += 1;
        EXPECT_DOUBLE_EQ(t.elapsed_time(), 60.0);  // then whole calendar seconds
        t.stop(nullptr);
        t.stop("idle stop");  // adds nothing
    });
    EXPECT_EQ(said, "already running\nidle stop\n");
    EXPECT_TRUE(t.accumulated() == 60.0 && !t.isRunning());
    t.restart();
    EXPECT_TRUE(t.elapsed_time() == 0.0 && t.isRunning() && t.accumulated() == 0.0);
    fake::advance(0.5);
    t.stop();  // leaves an accumulation for the lap to clear
    t.start();
    fake::advance(0.04);
    EXPECT_DOUBLE_EQ(t.lap(), 0.04);
    EXPECT_TRUE(t.isRunning() && t.accumulated() == 0.0);
    fake::advance(0.016);
    EXPECT_DOUBLE_EQ(t.lap(), 0.016);  // from the previous lap, nothing lost between
    fake::advance(0.000123);
    fake::calendar += 75;
    EXPECT_DOUBLE_EQ(t.lap(), 75.0);  // a long gap comes back in calendar seconds
}

TEST(Timer, SystemClockFollowsTheWallClockNotTheProcessor) {
    timer t;
    t.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // no processor time spent
    double step = t.lap();
    EXPECT_TRUE(step >= 0.049 && step < 5.0) << step;
}
