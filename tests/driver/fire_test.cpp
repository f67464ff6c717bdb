// Fire and fireworks in the frame: the contact rule, the following fire, the relaunches.
#include "Character.h"
#include "FireWorks.h"
#include "Flames.h"
#include "Texture.h"
#include "character/kinematics.h"
#include "character_driver.h"
#include "driver/scene_fixture.h"

#include <malloc.h>

namespace {
class FireTest : public SceneTest {
protected:
    // Runs the contact rule once with the keyboard character at `where`; returns what it said.
    std::string burnAt(QOR3dVector where) {
        testCharacter->setPosition(where);
        return quietly(burnCharacters);
    }
};
}  // namespace

TEST_F(FireTest, CatchesFireOnlyStrictlyWithinReachOnceFollowedAndFlailing) {
    EXPECT_EQ(burnAt(QOR3dVector(2.4f, 0.0f, 0.0f)), "");
    EXPECT_EQ(testFlames, nullptr);
    // The new fire loads its sprite, which the loader reports on the following lines.
    EXPECT_EQ(burnAt(QOR3dVector(0.0f, 2.39f, 0.0f)).rfind("Starting fire on testCharacter!\n", 0),
              0u);
    ASSERT_NE(testFlames, nullptr);
    EXPECT_EQ(burnAt(QOR3dVector(0.0f, 2.39f, 0.0f)), "");  // said once
    EXPECT_EQ(burnAt(QOR3dVector(7.0f, 2.0f, -3.0f)), "");  // never goes out
    EXPECT_EQ(otherFlames, nullptr);
    EXPECT_VEC_NEAR(testFlames->getPosition(), 7.0f, 2.45f, -3.0f, 1e-6);
    QOR3dVector g = testCharacter->getLeftArmGoal();  // flailing: the box around the character
    EXPECT_TRUE(g.x >= 6 && g.x < 8 && g.y >= 2 && g.y < 3 && g.z >= -4 && g.z < -1);
}

TEST_F(FireTest, FireworksRelaunchAfterTenSecondsOfTheStopwatch) {
    EXPECT_EQ(fireworksDisp, 5.0f);
    FireWorks* first = myFireworks;
    fake::advance(9.9);
    relaunchFireworksIfDue();
    EXPECT_TRUE(myFireworks == first && fireworksDisp == 5.0f);
    fake::advance(0.2);
    relaunchFireworksIfDue();
    EXPECT_TRUE(fireworksDisp >= 0.0f && fireworksDisp < 100.0f) << fireworksDisp;
    EXPECT_LT(myTimer.elapsed_time(), 0.001);  // the stopwatch starts over
}

TEST_F(FireTest, RelaunchesDoNotGrowParticlesTexturesOrHeap) {
    // Both characters burning first, so nothing new is lit while we measure.
    testCharacter->setPosition(QOR3dVector(0.5f, 1.0f, 0.0f));
    otherCharacter->setPosition(QOR3dVector(-0.5f, 1.0f, 0.0f));
    quietly(burnCharacters);
    ASSERT_TRUE(testFlames != nullptr && otherFlames != nullptr);
    for (int i = 0; i < 60; i++) frame();
    auto relaunchWithFrames = [&] {
        fake::advance(10.5);
        relaunchFireworksIfDue();
        for (int i = 0; i < 10; i++) frame();
    };
    relaunchWithFrames();
    int particles = Particle::liveCount(), textures = Texture::liveTextures();
    size_t heap = mallinfo2().uordblks;
    for (int i = 0; i < 6; i++) relaunchWithFrames();
    EXPECT_EQ(Particle::liveCount(), particles);  // each old burst went with its relaunch
    EXPECT_EQ(Texture::liveTextures(), textures);
    // The counts above are exact. The heap also carries the GL driver's and the fires' own
    // churn (about 0.1 MiB either way here), so it only has to show no steady climb.
    EXPECT_LT((long)mallinfo2().uordblks - (long)heap, 512 * 1024);
}
