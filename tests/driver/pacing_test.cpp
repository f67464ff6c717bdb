// End-to-end: the real program's pace and cost, read from what it prints with --stats and
// what its capture writes, never from the clock of the test.
#include "support/process.h"

#include <gtest/gtest.h>

#include <regex>

using testproc::quote;

namespace {
struct Stats {
    bool read = false;
    double framesPerSecond = 0, faultsPerFrame = 0;
};

// The program with the arguments and --stats, on a display of its own, in a fresh folder.
Stats runWithStats(const std::string& args) {
    testproc::TempDir tmp;
    const testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(tmp.path) + " && timeout 120 " + quote(testproc::programPath()) + " " +
        args + " --stats"));
    std::smatch m;
    Stats s;
    if (r.status != 0 ||
        !std::regex_search(r.output, m, std::regex("\n[0-9]+ frames: ([0-9.]+) frames per "
                                                   "second, .* ([0-9.]+) page faults per frame\n")))
        return s;
    s.read = true;
    s.framesPerSecond = std::stod(m[1]);
    s.faultsPerFrame = std::stod(m[2]);
    return s;
}
}  // namespace

TEST(ProgramPace, MaxFpsHoldsTheRealProgramToItsRate) {
    // Small frames, which this machine draws far faster than 20 a second. 40 frames paced at
    // 20 a second span 39 intervals and the last frame's own work: 20.5 leaves that work 1 ms.
    const Stats s = runWithStats("--size 64x64 --max-fps 20 --frames 40");
    ASSERT_TRUE(s.read);
    EXPECT_LE(s.framesPerSecond, 20.5);
}

TEST(ProgramPace, TheSteadyFrameFaultsFewPages) {
    // The frames from the 100th to the 300th, as the difference of two seeded runs: start-up
    // and the fire's first growth are the same in both. About 3 to 9 faults a frame here; a
    // frame whose working blocks were mapped and unmapped again faults thousands (the
    // allocator's policy in driver/MemoryPolicy.cpp), so 60 is far from both.
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's allocator takes the place of the one the program tunes "
                    "and serves freed blocks from fresh memory: the faults would be its own";
#endif
    const std::string args = "--seed 1 --step 0.02 --size 64x64 --frames ";
    const Stats shorter = runWithStats(args + "100"), longer = runWithStats(args + "300");
    ASSERT_TRUE(shorter.read);
    ASSERT_TRUE(longer.read);
    EXPECT_LT((300 * longer.faultsPerFrame - 100 * shorter.faultsPerFrame) / 200, 60);
}

namespace {
// A live run with a capture, which writes a line as each frame begins. Once it has drawn five
// frames, `quiet` (shell, with $win) is done and the frames begun in the second after are
// counted: a second is sixty frames of a visible, running scene here. This is no wait for the
// program: it watches a stretch of time in which nothing is to happen. Then `wake` is done and
// the frames must come back, up to the usual deadline.
struct Quiet {
    testproc::Result result;
    int framesMeanwhile = -1;
    bool drawnAgain = false;
};

Quiet framesWhileQuiet(const std::string& quiet, const std::string& wake) {
    testproc::TempDir tmp;
    Quiet q;
    q.result = testproc::runProgramWithActions(
        tmp.path, "--capture session",
        "wait_for frames_reach session 5; " + quiet + "; quiet=$(frame_lines session); sleep 1; "
        "echo \"frames meanwhile: $(($(frame_lines session) - quiet))\"; "
        "woken=$(frame_lines session); " + wake + "; "
        "wait_for frames_reach session $((woken + 1)) && echo drawn again; "
        "xdotool key --window \"$win\" Escape");
    std::smatch m;
    if (std::regex_search(q.result.output, m, std::regex("frames meanwhile: (-?[0-9]+)\n")))
        q.framesMeanwhile = std::stoi(m[1]);
    q.drawnAgain = q.result.output.find("drawn again\n") != std::string::npos;
    return q;
}
}  // namespace

// Driven by X: the window is unmapped as a minimised one is, and mapped again. Once X reports
// it unmapped, the frame that had begun may still be written, and no other.
TEST(ProgramPace, AHiddenWindowDrawsNoFramesUntilItShowsAgain) {
    const Quiet q = framesWhileQuiet("xdotool windowunmap --sync \"$win\"",
                                     "xdotool windowmap --sync \"$win\"");
    EXPECT_EQ(q.result.status, 0) << q.result.output;
    ASSERT_GE(q.framesMeanwhile, 0) << q.result.output;
    EXPECT_LE(q.framesMeanwhile, 1) << q.result.output;
    EXPECT_TRUE(q.drawnAgain) << q.result.output;
}

// Driven by X: F3 pauses, and the capture shows the frame that took it. From there a paused
// scene that nothing moves draws no more than the frame or two the eye takes to settle; a key
// that moves the eye brings frames back.
TEST(ProgramPace, APausedSceneDrawsNothingUntilInputComes) {
    const Quiet q = framesWhileQuiet(
        "xdotool key --window \"$win\" F3; wait_for has_line session 'special 3'",
        "xdotool key --window \"$win\" Up");
    EXPECT_EQ(q.result.status, 0) << q.result.output;
    ASSERT_GE(q.framesMeanwhile, 0) << q.result.output;
    EXPECT_LE(q.framesMeanwhile, 2) << q.result.output;
    EXPECT_TRUE(q.drawnAgain) << q.result.output;
}
