// The scene's time as the keys leave it: what share of a frame's step the scene takes, whether
// it moves, and what the panel says.
#include "SceneTime.h"

#include <gtest/gtest.h>

namespace {
struct SceneTimeTest : ::testing::Test {
    void SetUp() override { resetSceneTime(); }
    void TearDown() override { resetSceneTime(); }
};
}  // namespace

TEST_F(SceneTimeTest, SpeedHalvesDownToASixteenthAndDoublesBackUpToFull) {
    // Keys pressed in turn, with the scene's share of a 0.032 s frame after each.
    const struct { void (*key)(); int64_t share; const char* label; } presses[] = {
        {slowScene, 16000, "speed 1/2"}, {slowScene, 8000, "speed 1/4"},
        {slowScene, 4000, "speed 1/8"}, {slowScene, 2000, "speed 1/16"},
        {slowScene, 2000, "speed 1/16"}, {speedUpScene, 4000, "speed 1/8"},
        {speedUpScene, 8000, "speed 1/4"}, {speedUpScene, 16000, "speed 1/2"},
        {speedUpScene, 32000, ""}, {speedUpScene, 32000, ""}};
    int n = 0;
    for (auto press : presses) {
        press.key();
        EXPECT_EQ(beginSceneFrame(32000), press.share) << "press " << n;
        EXPECT_STREQ(sceneTimeLabel(), press.label) << "press " << n++;
    }
}

TEST_F(SceneTimeTest, PausedTheSceneTakesNoTimeAndStandsStill) {
    pauseOrResumeScene();
    EXPECT_EQ(beginSceneFrame(20000), 0);
    EXPECT_FALSE(sceneMoves());
    EXPECT_TRUE(sceneAtRest());
    EXPECT_STREQ(sceneTimeLabel(), "paused");
}

TEST_F(SceneTimeTest, EachStepMovesOneWholeFrameAfterItWhilePausedWhateverTheSpeed) {
    slowScene();
    pauseOrResumeScene();
    beginSceneFrame(20000);
    stepPausedScene();
    stepPausedScene();
    // The frame that handles the steps, then one moved frame a step.
    const int64_t shares[] = {0, 20000, 20000, 0};
    for (int64_t share : shares) {
        EXPECT_EQ(beginSceneFrame(20000), share);
        EXPECT_EQ(sceneMoves(), share > 0);
    }
}

TEST_F(SceneTimeTest, AResumeMovesTheSceneFromTheFrameAfterIt) {
    pauseOrResumeScene();
    beginSceneFrame(20000);
    pauseOrResumeScene();
    EXPECT_EQ(beginSceneFrame(5000000), 0) << "the frame that waited for the key";
    EXPECT_EQ(beginSceneFrame(20000), 20000);
}

TEST_F(SceneTimeTest, StepsAskedAreForgottenOnResumeAndIgnoredWhileRunning) {
    stepPausedScene();
    pauseOrResumeScene();
    beginSceneFrame(20000);
    EXPECT_EQ(beginSceneFrame(20000), 0) << "the step asked while running";
    stepPausedScene();
    pauseOrResumeScene();
    pauseOrResumeScene();
    beginSceneFrame(20000);
    EXPECT_EQ(beginSceneFrame(20000), 0) << "the step asked before resuming";
}

TEST_F(SceneTimeTest, AFrameThatMovesIsNotAtRestNorIsAStepStillAsked) {
    pauseOrResumeScene();
    stepPausedScene();
    EXPECT_FALSE(sceneAtRest()) << "a step asked";
    beginSceneFrame(20000);
    EXPECT_FALSE(sceneAtRest()) << "the step ready";
    beginSceneFrame(20000);
    EXPECT_FALSE(sceneAtRest()) << "the frame that moved";
    beginSceneFrame(20000);
    EXPECT_TRUE(sceneAtRest());
}
