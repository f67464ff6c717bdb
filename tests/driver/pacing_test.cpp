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

TEST(ProgramPace, AHiddenWindowDrawsNoFramesUntilItShowsAgain) {
    // Driven by X: the window is unmapped as a minimised one is, and mapped again. The capture
    // writes a line as each frame begins. Once X reports the window unmapped, the frame that
    // had begun may still be written, and no other; for a full second, sixty frames of a
    // visible window here. Shown again, the frames come back.
    testproc::TempDir tmp;
    testproc::Result r = testproc::runProgramWithActions(
        tmp.path, "--capture session",
        "wait_for frames_reach session 5; "
        "xdotool windowunmap --sync \"$win\"; hidden=$(frame_lines session); sleep 1; "
        "echo \"frames while hidden: $(($(frame_lines session) - hidden))\"; "
        "shown=$(frame_lines session); xdotool windowmap --sync \"$win\"; "
        "wait_for frames_reach session $((shown + 5)) && echo shown again; "
        "xdotool key --window \"$win\" Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.output, m, std::regex("frames while hidden: (-?[0-9]+)\n")))
        << r.output;
    EXPECT_LE(std::stoi(m[1]), 1) << r.output;
    EXPECT_NE(r.output.find("shown again\n"), std::string::npos) << r.output;
}

TEST(ProgramPace, APausedSceneDrawsNothingUntilInputComes) {
    // Driven by X: F3 pauses, and the capture shows the frame that took it. From there a paused
    // scene that nothing moves draws no more than the frame or two the eye takes to settle, in
    // a full second that holds sixty frames of a running scene here; a key that moves the eye
    // brings frames back.
    testproc::TempDir tmp;
    testproc::Result r = testproc::runProgramWithActions(
        tmp.path, "--capture session",
        "wait_for frames_reach session 5; xdotool key --window \"$win\" F3; "
        "wait_for has_line session 'special 3'; paused=$(frame_lines session); sleep 1; "
        "echo \"frames while paused: $(($(frame_lines session) - paused))\"; "
        "shown=$(frame_lines session); xdotool key --window \"$win\" Up; "
        "wait_for frames_reach session $((shown + 1)) && echo drawn again; "
        "xdotool key --window \"$win\" Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.output, m, std::regex("frames while paused: (-?[0-9]+)\n")))
        << r.output;
    EXPECT_LE(std::stoi(m[1]), 2) << r.output;
    EXPECT_NE(r.output.find("drawn again\n"), std::string::npos) << r.output;
}
