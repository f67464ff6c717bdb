// The frame schedule on hand-given times: waits, late frames, stalls, the average rate.
#include "FramePacer.h"

#include <gtest/gtest.h>

namespace {
struct Call {
    double now;    // when the frame asks to start
    double start;  // when the pacer lets it
};

void expectStarts(int limit, std::initializer_list<Call> calls) {
    FramePacer pacer(limit);
    for (const Call& c : calls) EXPECT_DOUBLE_EQ(pacer.frameStart(c.now), c.start) << c.now;
}
}  // namespace

TEST(FramePacer, EarlyFramesWaitForTheirPlaceOnTheSchedule) {
    expectStarts(10, {{0.0, 0.0}, {0.01, 0.1}, {0.1, 0.2}, {0.25, 0.3}});
}

TEST(FramePacer, ALateFrameStartsAtOnceAndTheNextKeepsTheSchedule) {
    expectStarts(10, {{1.0, 1.0}, {1.15, 1.15}, {1.16, 1.2}});
}

TEST(FramePacer, AfterAStallANewScheduleStartsWithoutABurstToCatchUp) {
    expectStarts(10, {{0.0, 0.0}, {5.0, 5.0}, {5.0, 5.1}});
}

TEST(FramePacer, NoLimitLetsEveryFrameStartAtOnce) {
    expectStarts(0, {{0.0, 0.0}, {0.001, 0.001}, {0.001, 0.001}});
}

// Frames whose work alternates between short and longer than an interval still come at the
// asked rate: the delays of the late ones are not carried into the schedule.
TEST(FramePacer, UnevenFramesKeepTheRateOnAverage) {
    FramePacer pacer(60);
    const double interval = 1.0 / 60;
    double start = pacer.frameStart(0.0);
    for (int frame = 1; frame <= 600; frame++)
        start = pacer.frameStart(start + (frame % 2 ? 0.3 : 1.5) * interval);
    EXPECT_NEAR(start, 10.0, interval);
}
