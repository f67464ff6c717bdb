// End-to-end: the time keys, played from captures written here (F3 pause, F4 a frame on, '['
// slower), against the same scene run straight through. Pictures compare byte for byte.
#include "support/process.h"

#include <gtest/gtest.h>

#include <fstream>

using testproc::quote;

namespace {
const std::string HEAD = "quorvel-capture 1\nseed 1\nsize 200 200\n";
const std::string PAUSE = "special 3\n", STEP = "special 4\n", SLOWER = "key 91\n",
                  CAMERA_TURN = "key 113\n";

// The program's frames for a capture (`frames` of 0.05 s unless given), recorded into dir
// with no X server.
struct Played {
    testproc::TempDir dir;
    testproc::Result result;
    explicit Played(const std::string& session, const std::string& args = "--replay session") {
        std::ofstream(dir.path + "/session") << HEAD << session << "end\n";
        result = testproc::runShell("cd " + quote(dir.path) + " && env -u DISPLAY timeout 120 " +
                                    quote(testproc::programPath()) +
                                    " --headless --quiet --record rec " + args);
    }
    std::string frame(int n) const {
        char name[32];
        std::snprintf(name, sizeof name, "/rec/frame-%06d.png", n);
        std::ifstream in(dir.path + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// Paused in frame 31, the camera turned in frame 34, on to frame 36.
const Played& turnedWhilePaused() {
    static const Played run("frames 30 0.05\nframe 0.05\n" + PAUSE + "frames 2 0.05\nframe 0.05\n" +
                         CAMERA_TURN + "frames 2 0.05\n");
    return run;
}
}  // namespace

TEST(SceneTime, FramesDrawnWhilePausedAreIdentical) {
    const Played& run = turnedWhilePaused();
    ASSERT_EQ(run.result.status, 0) << run.result.output;
    ASSERT_FALSE(run.frame(31).empty());
    EXPECT_EQ(run.frame(32), run.frame(31));
    EXPECT_EQ(run.frame(33), run.frame(31));
}

TEST(SceneTime, ACameraKeyWhilePausedChangesThePicture) {
    const Played& run = turnedWhilePaused();
    ASSERT_FALSE(run.frame(34).empty()) << run.result.output;
    EXPECT_NE(run.frame(34), run.frame(33));
}

// The scene turned to at once, in the frame that paused it, looks as it does five paused
// frames after a later turn: nothing in it moved meanwhile.
TEST(SceneTime, WhilePausedTheFiguresStayWhereTheyWereAsTheCameraTurns) {
    const Played at31("frames 30 0.05\nframe 0.05\n" + PAUSE + CAMERA_TURN);
    ASSERT_FALSE(at31.frame(31).empty()) << at31.result.output;
    EXPECT_EQ(turnedWhilePaused().frame(36), at31.frame(31));
}

// Paused after frame 40, nine frames held, three frames stepped (each step moves the frame
// after its key): frame 43 of the straight run.
TEST(SceneTime, PausedAfterKFramesAndSteppedNTheSceneIsThatOfKPlusNFrames) {
    const Played stepped("frames 40 0.02\nframe 0.02\n" + PAUSE + "frames 9 0.02\nframe 0.02\n" +
                         STEP + "frame 0.02\n" + STEP + "frame 0.02\n" + STEP + "frame 0.02\n");
    const Played straight("", "--seed 1 --step 0.02 --size 200x200 --frames 43");
    ASSERT_FALSE(straight.frame(43).empty()) << straight.result.output;
    EXPECT_EQ(stepped.frame(54), straight.frame(43)) << stepped.result.output;
}

TEST(SceneTime, AtAQuarterOfTheSpeedFramesOfFourHundredthsAreFramesOfAHundredth) {
    const Played slowed("frame 0.04\n" + SLOWER + SLOWER + "frames 39 0.04\n");
    const Played straight("", "--seed 1 --step 0.01 --size 200x200 --frames 40");
    ASSERT_FALSE(straight.frame(40).empty()) << straight.result.output;
    EXPECT_EQ(slowed.frame(40), straight.frame(40)) << slowed.result.output;
}
