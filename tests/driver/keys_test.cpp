// The keyboard commands, each checked against the driver's state (Escape is run end to end).
#include "Character.h"
#include "Controller.h"
#include "Texture.h"
#include "character/kinematics.h"
#include "character_driver.h"
#include "driver/scene_fixture.h"

#include <malloc.h>

namespace {
void press(const char* keys) {
    for (; *keys; ++keys) keyCallback((unsigned char)*keys, 0, 0);
}
class KeysTest : public SceneTest {};
}  // namespace

TEST_F(KeysTest, CameraTurnsAreUnequalAndStretchTheDirection) {
    const struct { char key; float x, z; } turns[] = {{'q', -0.249f, -0.996f}, {'e', 0.251f, -1.002f}};
    for (auto t : turns) {
        myCamDir = QOR3dVector(0, 0, -1);
        keyCallback(t.key, 0, 0);
        EXPECT_VEC_NEAR(myCamDir, t.x, 0, t.z, 0.002f);  // stays horizontal
        EXPECT_NEAR(myCamDir.length(), 1.03f, 0.01f) << t.key;
    }
}

TEST_F(KeysTest, SpinTiltTerrainFollowingAndKeysThatChangeNothing) {
    Angle = 42.0f;
    press(" ");
    EXPECT_EQ(deltaAngle, 0.5f);
    press(" ");
    EXPECT_TRUE(deltaAngle == 0.0f && Angle == 42.0f);  // the spin stops where it is
    press("aadzcc5");
    EXPECT_TRUE(AngleY == 5.0f && AngleZ == -5.0f && AngleX == 0.0f && !terrainCheck);
    press("5");
    EXPECT_TRUE(terrainCheck);
    // Everything a key may change, before and after lower-case and unmapped keys.
    auto snapshot = [] {
        QOR3dVector p = testCharacter->getPosition(), v = testCharacter->getVelocity();
        return std::vector<float>{myCamPos.x, myCamPos.y, myCamPos.z, myCamDir.x, myCamDir.y,
                                  myCamDir.z, myCamUp.x, myCamUp.y, myCamUp.z, Angle, deltaAngle,
                                  AngleX, AngleY, AngleZ, aendpos.x, aendpos.y, aendpos.z, p.x,
                                  p.y, p.z, v.x, v.y, v.z, testCharacter->getHeading(),
                                  (float)terrainCheck};
    };
    std::vector<float> before = snapshot();
    press("wsx1Zb\xc8");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(KeysTest, ArmGoalKeysMoveTheMarkerAndReachBothArms) {
    const struct { char key; float dx, dy, dz; } moves[] = {
        {',', 0.1f, 0, 0}, {'.', -0.1f, 0, 0}, {'l', 0, 0.1f, 0},
        {';', 0, -0.1f, 0}, {'o', 0, 0, 0.1f}, {'p', 0, 0, -0.1f}};
    for (auto m : moves) {
        SCOPED_TRACE(m.key);
        QOR3dVector before = aendpos;
        keyCallback(m.key, 0, 0);
        EXPECT_VEC_NEAR(aendpos.minus(before), m.dx, m.dy, m.dz, 1e-6);
        EXPECT_VEC_EQ(testCharacter->getLeftArmGoal(), aendpos, 0);
        EXPECT_VEC_EQ(testCharacter->getRightArmGoal(), aendpos, 0);
    }
    aendpos = QOR3dVector(0, 0, 4);
    float z = 4.0f;
    for (int i = 0; i < 40; i++) {
        keyCallback('p', 0, 0);
        z = (float)(z - 0.1);  // a step narrowed to 0.1f first would end at 1.56462e-06
    }
    EXPECT_EQ(aendpos.z, z);
}

TEST_F(KeysTest, UpperCaseLettersSteerTheKeyboardCharacter) {
    testCharacter->setHeading(90);  // forward is +x, left is -z
    const struct { char key; float vx, vz; } moves[] = {
        {'W', 2, 0}, {'S', -1, 0}, {'A', 0, -3}, {'D', 0, 2}};
    for (auto m : moves) {
        keyCallback(m.key, 0, 0);
        EXPECT_NEAR(testCharacter->getXVelocity(), m.vx, 0.01f) << m.key;
        EXPECT_NEAR(testCharacter->getZVelocity(), m.vz, 0.01f) << m.key;
    }
    press("QQE");
    EXPECT_EQ(testCharacter->getHeading(), 95.0f);
    quietly([] { press("C"); });
    EXPECT_EQ(testCharacter->getYVelocity(), 4.0f);
    EXPECT_FALSE(myController->isWalking());
    press("6");
    EXPECT_TRUE(myController->isWalking());
}

TEST_F(KeysTest, ResetAndArrowAndPageKeysMoveTheEye) {
    testCharacter->setPosition(QOR3dVector(3, 7, 9));
    myCamPos = QOR3dVector(5, 6, 7);
    QOR3dVector other = otherCharacter->getPosition();
    press("r");  // the keyboard character and the eye back at their heights
    EXPECT_VEC_NEAR(testCharacter->getPosition(), 0, 7, 0, 0);
    EXPECT_VEC_NEAR(myCamPos, 0, 6, 5, 0);
    EXPECT_VEC_EQ(otherCharacter->getPosition(), other, 0);
    myCamPos = QOR3dVector(0, 3, 5);
    myCamDir = QOR3dVector(0, 0, -4);  // only the direction counts
    const struct { int key; float x, y, z; } steps[] = {
        {GLUT_KEY_UP, 0, 3, 4},   {GLUT_KEY_RIGHT, 1, 3, 4},   {GLUT_KEY_LEFT, 0, 3, 4},
        {GLUT_KEY_LEFT, -1, 3, 4}, {GLUT_KEY_DOWN, -1, 3, 5}, {GLUT_KEY_PAGE_UP, -1, 3.5f, 5},
        {GLUT_KEY_PAGE_DOWN, -1, 3, 5}};
    for (auto s : steps) {
        SCOPED_TRACE(s.key);
        specialCallback(s.key, 0, 0);
        EXPECT_VEC_NEAR(myCamPos, s.x, s.y, s.z, 1e-6);
    }
}

TEST_F(KeysTest, SkyKeysReplaceTheSkyAndKeepNamesAndHeapFlat) {
    const struct { char key; const char* clouds; } skies[] = {{'7', "tga/clouds2.tga"},
                                                              {'8', "tga/clouds3.tga"}};
    for (int i = 0; i < 5; i++) frame();
    int textures = Texture::liveTextures();
    for (auto sky : skies) {
        EXPECT_NE(quietly([&] { keyCallback(sky.key, 0, 0); }).find(sky.clouds), std::string::npos);
        EXPECT_EQ(Texture::liveTextures(), textures);  // the old sky's seven names went with it
        for (int i = 0; i < 5; i++) frame();
    }
    auto rebuildWithFrames = [&](int times) {
        for (int i = 0; i < times; i++) {
            quietly([&] { keyCallback(i % 2 ? '7' : '8', 0, 0); });
            frame();
        }
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
