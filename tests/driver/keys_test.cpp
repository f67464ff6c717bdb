// The keyboard commands, each checked against the driver's state.
#include "Character.h"
#include "Controller.h"
#include "Texture.h"
#include "character_driver.h"
#include "driver/scene_fixture.h"
#include "skybox.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

float angleBetween(QOR3dVector a, QOR3dVector b) {
    return std::acos(std::min(1.0f, a.normalize().dot(b.normalize()))) * 180.0f / 3.14159265f;
}

// Everything a key may change, to show that some keys change nothing.
struct DriverState {
    float cam[9], angles[5], goal[3], character[7];
    bool terrainCheck;
    bool operator==(const DriverState& o) const {
        for (int i = 0; i < 9; i++) if (cam[i] != o.cam[i]) return false;
        for (int i = 0; i < 5; i++) if (angles[i] != o.angles[i]) return false;
        for (int i = 0; i < 3; i++) if (goal[i] != o.goal[i]) return false;
        for (int i = 0; i < 7; i++) if (character[i] != o.character[i]) return false;
        return terrainCheck == o.terrainCheck;
    }
};

DriverState snapshot() {
    QOR3dVector p = testCharacter->getPosition(), v = testCharacter->getVelocity();
    return DriverState{{myCamPos.x, myCamPos.y, myCamPos.z, myCamDir.x, myCamDir.y, myCamDir.z,
                        myCamUp.x, myCamUp.y, myCamUp.z},
                       {Angle, deltaAngle, AngleX, AngleY, AngleZ},
                       {aendpos.x, aendpos.y, aendpos.z},
                       {p.x, p.y, p.z, v.x, v.y, v.z, testCharacter->getHeading()},
                       terrainCheck};
}

class KeysTest : public SceneTest {};

}  // namespace

TEST_F(KeysTest, CameraTurnsAreUnequalAndStretchTheDirection) {
    keyCallback('q', 0, 0);
    EXPECT_NEAR(myCamDir.x, -0.249f, 0.002f);
    EXPECT_EQ(myCamDir.y, 0.0f);
    EXPECT_NEAR(myCamDir.z, -0.996f, 0.002f);
    EXPECT_NEAR(myCamDir.length(), 1.03f, 0.01f);

    myCamDir = QOR3dVector(0, 0, -1);
    keyCallback('e', 0, 0);
    EXPECT_NEAR(myCamDir.x, 0.251f, 0.002f);
    EXPECT_NEAR(myCamDir.z, -1.002f, 0.002f);
    EXPECT_NEAR(myCamDir.length(), 1.03f, 0.01f);

    myCamDir = QOR3dVector(0, 0, -1);
    float previousTurn = 1000.0f;
    for (int i = 0; i < 10; i++) {
        QOR3dVector before = myCamDir;
        keyCallback('q', 0, 0);
        float turn = angleBetween(before, myCamDir);
        EXPECT_LT(turn, previousTurn) << "press " << i;
        previousTurn = turn;
    }
    EXPECT_NEAR(myCamDir.length(), 1.24f, 0.01f);
    EXPECT_EQ(myCamDir.y, 0.0f);  // stays horizontal
}

TEST_F(KeysTest, SpaceTogglesTheSpinAndKeepsTheAngle) {
    Angle = 42.0f;
    keyCallback(' ', 0, 0);
    EXPECT_EQ(deltaAngle, 0.5f);
    keyCallback(' ', 0, 0);
    EXPECT_EQ(deltaAngle, 0.0f);
    EXPECT_EQ(Angle, 42.0f);
}

TEST_F(KeysTest, WorldTiltKeys) {
    keyCallback('a', 0, 0);
    keyCallback('a', 0, 0);
    keyCallback('d', 0, 0);
    EXPECT_EQ(AngleY, 5.0f);
    keyCallback('z', 0, 0);
    keyCallback('c', 0, 0);
    keyCallback('c', 0, 0);
    EXPECT_EQ(AngleZ, -5.0f);
    EXPECT_EQ(AngleX, 0.0f);
}

TEST_F(KeysTest, ArmGoalKeysMoveTheMarkerAndReachBothArms) {
    struct { unsigned char key; float dx, dy, dz; } moves[] = {
        {',', 0.1f, 0, 0}, {'.', -0.1f, 0, 0}, {'l', 0, 0.1f, 0},
        {';', 0, -0.1f, 0}, {'o', 0, 0, 0.1f}, {'p', 0, 0, -0.1f}};
    for (auto m : moves) {
        QOR3dVector before = aendpos;
        keyCallback(m.key, 0, 0);
        EXPECT_NEAR(aendpos.x - before.x, m.dx, 1e-6f) << m.key;
        EXPECT_NEAR(aendpos.y - before.y, m.dy, 1e-6f) << m.key;
        EXPECT_NEAR(aendpos.z - before.z, m.dz, 1e-6f) << m.key;
        for (QOR3dVector goal : {testCharacter->getLeftArmGoal(), testCharacter->getRightArmGoal()}) {
            EXPECT_EQ(goal.x, aendpos.x);
            EXPECT_EQ(goal.y, aendpos.y);
            EXPECT_EQ(goal.z, aendpos.z);
        }
    }
}

TEST_F(KeysTest, LowerCaseAndUnmappedKeysChangeNothing) {
    DriverState before = snapshot();
    const unsigned char keys[] = {'w', 's', 'x', '1', 'Z', 'b', 200};
    for (unsigned char key : keys)
        keyCallback(key, 0, 0);
    EXPECT_TRUE(before == snapshot());
}

TEST_F(KeysTest, UpperCaseLettersSteerTheKeyboardCharacter) {
    keyCallback('W', 0, 0);
    EXPECT_NEAR(testCharacter->getVelocity().z, 2.0f, 1e-3f);
    keyCallback('S', 0, 0);
    EXPECT_NEAR(testCharacter->getVelocity().z, -1.0f, 1e-3f);
    keyCallback('A', 0, 0);
    EXPECT_NEAR(testCharacter->getVelocity().x, 3.0f, 1e-3f);
    keyCallback('D', 0, 0);
    EXPECT_NEAR(testCharacter->getVelocity().x, -2.0f, 1e-3f);
    keyCallback('Q', 0, 0);
    keyCallback('Q', 0, 0);
    keyCallback('E', 0, 0);
    EXPECT_EQ(testCharacter->getHeading(), 5.0f);
    testing::internal::CaptureStdout();
    keyCallback('C', 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Jump!\n");
    EXPECT_EQ(testCharacter->getYVelocity(), 4.0f);
    EXPECT_FALSE(myController->isWalking());
    keyCallback('6', 0, 0);
    EXPECT_TRUE(myController->isWalking());
}

TEST_F(KeysTest, ResetPutsCharacterAndCameraBackAtTheirHeights) {
    testCharacter->setPosition(QOR3dVector(3, 7, 9));
    myCamPos = QOR3dVector(5, 6, 7);
    QOR3dVector other = otherCharacter->getPosition();
    keyCallback('r', 0, 0);
    EXPECT_EQ(testCharacter->getXPosition(), 0.0f);
    EXPECT_EQ(testCharacter->getYPosition(), 7.0f);
    EXPECT_EQ(testCharacter->getZPosition(), 0.0f);
    EXPECT_EQ(myCamPos.x, 0.0f);
    EXPECT_EQ(myCamPos.y, 6.0f);
    EXPECT_EQ(myCamPos.z, 5.0f);
    EXPECT_EQ(otherCharacter->getXPosition(), other.x);
}

TEST_F(KeysTest, ArrowAndPageKeysMoveTheEye) {
    myCamDir = QOR3dVector(0, 0, -4);  // only the direction counts
    specialCallback(GLUT_KEY_UP, 0, 0);
    EXPECT_FLOAT_EQ(myCamPos.z, 4.0f);
    specialCallback(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_FLOAT_EQ(myCamPos.x, 1.0f);
    specialCallback(GLUT_KEY_LEFT, 0, 0);
    specialCallback(GLUT_KEY_LEFT, 0, 0);
    EXPECT_FLOAT_EQ(myCamPos.x, -1.0f);
    specialCallback(GLUT_KEY_DOWN, 0, 0);
    EXPECT_FLOAT_EQ(myCamPos.z, 5.0f);
    specialCallback(GLUT_KEY_PAGE_UP, 0, 0);
    specialCallback(GLUT_KEY_PAGE_UP, 0, 0);
    specialCallback(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_FLOAT_EQ(myCamPos.y, 3.5f);
}

TEST_F(KeysTest, SkyKeysReplaceTheSkyWithOneAlive) {
    for (int i = 0; i < 5; i++) frame();
    int textures = Texture::liveTextures();
    testing::internal::CaptureStdout();
    keyCallback('7', 0, 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("tga/clouds2.tga"), std::string::npos);
    EXPECT_EQ(Texture::liveTextures(), textures);  // the old sky's seven names went with it
    EXPECT_EQ(mySkyBox->scale, 2.0f);
    EXPECT_EQ(mySkyBox->moving, 1.0f);
    EXPECT_EQ(mySkyBox->moonDisplacement, 10.0f);
    for (int i = 0; i < 5; i++) frame();
    testing::internal::CaptureStdout();
    keyCallback('8', 0, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Texture::liveTextures(), textures);
    EXPECT_EQ(mySkyBox->scale, 4.0f);
    EXPECT_FLOAT_EQ(mySkyBox->moving, 0.1f);
    EXPECT_EQ(mySkyBox->moonDisplacement, 10.0f);
}

TEST_F(KeysTest, TerrainFollowingToggles) {
    keyCallback('5', 0, 0);
    EXPECT_FALSE(terrainCheck);
    keyCallback('5', 0, 0);
    EXPECT_TRUE(terrainCheck);
}

TEST_F(KeysTest, EscapeEndsTheProcessWithStatusZero) {
    // The GL driver runs threads that a plain fork would lose: run the child afresh.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(keyCallback(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(KeysTest, RebuildingTheSkyOverAndOverKeepsTheHeapFlat) {
    auto rebuildWithFrames = [&](int times) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < times; i++) {
            keyCallback(i % 2 ? '7' : '8', 0, 0);
            frame();
        }
        testing::internal::GetCapturedStdout();
    };
    rebuildWithFrames(20);  // the GL driver's own caches fill up first
    struct mallinfo2 start = mallinfo2();
    rebuildWithFrames(80);
    struct mallinfo2 end = mallinfo2();
    // The sky's image blocks live in mappings of their own and go back to the system when
    // freed: the heap neither fills with them nor grows around them.
    EXPECT_LT((long)end.uordblks - (long)start.uordblks, 1024 * 1024);
    EXPECT_LT((long)end.arena - (long)start.arena, 1024 * 1024);
}
