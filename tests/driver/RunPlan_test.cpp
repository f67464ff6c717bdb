// The run's description from the command line and the replay, and a replay's schedule on
// hand-given times: what decides whether a run waits for the screen, and when frames show.
#include "ReplaySchedule.h"
#include "RunPlan.h"

#include <gtest/gtest.h>

namespace {
CommandLine lineWith(long frames, const char* record, int maxFps, bool headless = false) {
    CommandLine line;
    line.frames = frames;
    line.recordFolder = record;
    line.maxFps = maxFps;
    line.headless = headless;
    return line;
}

Session finishedSession(long frames, bool ended) {
    Session s;
    s.frames.push_back({20000, frames, {}});
    s.frameCount = frames;
    s.ended = ended;
    return s;
}
}  // namespace

TEST(RunPlan, OfflineWorkGoesOnUnseenAndAsFastAsItCanUnlessALimitIsAsked) {
    const Session replay = finishedSession(150, true);
    const struct {
        const char* what;
        CommandLine line;
        const Session* replay;
        FramePacing pacing;
        bool offline;
    } cases[] = {
        {"live", lineWith(0, "", -1), nullptr, PACE_DISPLAY, false},
        {"--frames", lineWith(30, "", -1), nullptr, PACE_FREE, true},
        {"--record", lineWith(0, "dir", -1), nullptr, PACE_FREE, true},
        {"--frames --max-fps 20", lineWith(30, "", 20), nullptr, PACE_LIMIT, true},
        {"--max-fps 0", lineWith(0, "", 0), nullptr, PACE_FREE, false},
        {"a replay", lineWith(0, "", -1), &replay, PACE_REPLAY, false},
        {"a replay, --max-fps 0", lineWith(0, "", 0), &replay, PACE_FREE, false},
        {"a replay, --record", lineWith(0, "dir", -1), &replay, PACE_FREE, true},
        {"a replay, --headless", lineWith(0, "", -1, true), &replay, PACE_FREE, true},
    };
    for (const auto& c : cases) {
        const RunPlan plan = planRun(c.line, c.replay);
        EXPECT_EQ(plan.pacing, c.pacing) << c.what;
        EXPECT_EQ(plan.offline, c.offline) << c.what;
        EXPECT_EQ(plan.pausesWhenHidden, !c.offline) << c.what;
    }
}

TEST(RunPlan, AFinishedReplayEndsAtItsEndAndAnUnfinishedOneOnlyWithoutAWindow) {
    const Session finished = finishedSession(150, true), cut = finishedSession(150, false);
    const struct { const char* what; CommandLine line; const Session* replay; long frames; } cases[] = {
        {"finished", lineWith(0, "", -1), &finished, 150},
        {"finished, --frames shorter", lineWith(40, "", -1), &finished, 40},
        {"finished, --frames longer", lineWith(400, "", -1), &finished, 150},
        {"unfinished: live input takes over", lineWith(0, "", -1), &cut, 0},
        {"unfinished, headless", lineWith(0, "", -1, true), &cut, 150},
    };
    for (const auto& c : cases) EXPECT_EQ(planRun(c.line, c.replay).frames, c.frames) << c.what;
}

TEST(RunPlan, TheLimitIsTheAskedOneElseNoneOfflineElseTheDisplaysElseSixty) {
    const struct { CommandLine line; int displayRate, limit; } cases[] = {
        {lineWith(0, "", -1), 0, 60}, {lineWith(0, "", -1), 144, 144},
        {lineWith(10, "", -1), 144, 0}, {lineWith(0, "", 0), 144, 0}, {lineWith(10, "", 30), 0, 30},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameLimit(planRun(c.line, nullptr), c.displayRate), c.limit)
            << c.line.frames << " frames, asked " << c.line.maxFps << ", display " << c.displayRate;
}

namespace {
struct Shown {
    double captured;  // the frame's time in the captured session
    double ready;     // when it is drawn and ready to show
    double shown;     // when the schedule shows it
};

void expectShown(std::initializer_list<Shown> frames) {
    ReplaySchedule schedule;
    for (const Shown& f : frames)
        EXPECT_DOUBLE_EQ(schedule.showAt(f.captured, f.ready), f.shown) << f.captured;
}
}  // namespace

TEST(ReplaySchedule, EachFrameShowsItsCapturedTimeAfterTheFirst) {
    // Captured 0.1 s apart, drawn in no time: shown 0.1 s apart from where the first was.
    expectShown({{0.1, 5.0, 5.0}, {0.2, 5.0, 5.1}, {0.3, 5.1, 5.2}, {1.3, 5.2, 6.2}});
}

TEST(ReplaySchedule, AFrameReadyLateShowsAtOnceAndTheNextKeepsTheSchedule) {
    expectShown({{0.1, 0.0, 0.0}, {0.2, 0.2, 0.2}, {0.3, 0.2, 0.2}});
}

TEST(ReplaySchedule, AfterAStallTheReplayGoesOnFromThereWithoutABurst) {
    // Hidden for ten seconds after the second frame: the third shows when it is ready, and
    // the fourth a captured step after it, not at once.
    expectShown({{0.1, 0.0, 0.0}, {0.2, 0.1, 0.1}, {0.3, 10.0, 10.0}, {0.4, 10.0, 10.1}});
}
