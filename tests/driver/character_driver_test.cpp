// The driver in a real window: the scene built by init() with its stopwatches on a fake clock,
// the rules of each frame, the fires and fireworks, and the keys.
#include "support/vectors.h"
#include "support/scene.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// The allocator set up as the program does it, before any window exists.
const bool memoryConfigured = (configureMemory(), true);

// The lower foot tip of a character against the ground under it.
float clearance(Character* c) {
    QOR3dVector low = c->getMinYPoint();
    return low.y - myTerrain->GetHeight(low.x, low.z);
}
}  // namespace

TEST_F(SceneTest, CharactersStandNoClearColourShowsTheEyeFollowsAndTheWorldSpinWraps) {
    GLfloat m[16];  // a window reshaped to zero height keeps a usable projection
    quietly([] { myReshape(800, 0); });
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_TRUE(std::all_of(m, m + 16, [](float v) { return std::isfinite(v); }));
    quietly([] { myReshape(800, 800); });
    frame();
    EXPECT_VEC_EQ(otherCharacter->getLeftArmGoal(), testCharacter->getPosition(), 0);
    EXPECT_VEC_EQ(otherCharacter->getRightArmGoal(), testCharacter->getPosition(), 0);
    QOR3dVector start = otherCharacter->getPosition();
    // The walking AI character bobs as its feet lift in turn, but keeps coming back down.
    float highest = -1e9f, lowest = 1e9f;
    for (int i = 0; i < 120; i++) {
        frame();
        highest = std::max(highest, i < 60 ? -1e9f : clearance(otherCharacter));
        lowest = std::min(lowest, i < 60 ? 1e9f : clearance(otherCharacter));
    }
    EXPECT_TRUE(lowest >= -0.15f && lowest <= 0.06f && highest <= 0.6f) << lowest << " " << highest;
    EXPECT_GT(otherCharacter->getPosition().minus(start).length(), 0.5f);
    // The keyboard character, left alone, stands where it landed.
    QOR3dVector at = testCharacter->getPosition();
    const float still = clearance(testCharacter), drift = std::hypot(at.x, at.z + 2);
    EXPECT_TRUE(still >= -0.02f && still <= 0.06f && drift < 0.05f) << still << " " << drift;
    // The sky and the terrain cover the window: the frame just swapped to the front keeps
    // (almost) no pixel of the clear colour.
    glGetFloatv(GL_COLOR_CLEAR_VALUE, m);
    int bare = testgl::countPixels([&](const unsigned char* p) {
        return std::max({std::abs(p[0] - m[0] * 255), std::abs(p[1] - m[1] * 255),
                         std::abs(p[2] - m[2] * 255)}) < 1.5f;
    }, GL_FRONT);
    EXPECT_LT(bare, 800 * 8);
    // Angle and step before, angle after: exactly 360 is kept, 360.5 goes to 0 (not to 0.5).
    for (auto s : {std::array<float, 3>{10, 0.5f, 10.5f}, {359.5f, 0.5f, 360}, {360, 0.5f, 0},
                   {-359.75f, -0.5f, 0}}) {
        Angle = s[0], deltaAngle = s[1];
        spinWorld();
        EXPECT_EQ(Angle, s[2]) << s[0];
    }
    float h = myTerrain->GetHeight(myCamPos.x, myCamPos.z) + 1.0f;
    // Height above h before and after one step, and whether the eye follows the terrain:
    // exactly h is high enough already; switched off, the eye stays even below the ground.
    const float steps[][3] = {{-0.3f, 0.2f, 1}, {0.6f, 0.6f, 1}, {2.0f, 1.9f, 1}, {0.0f, 0.0f, 1},
                              {-4.0f, -4.0f, 0}, {2.0f, 2.0f, 0}};
    for (const auto& step : steps) {
        terrainCheck = step[2] != 0;
        myCamPos.y = h + step[0];
        keepEyeAboveTerrain();
        EXPECT_FLOAT_EQ(myCamPos.y, h + step[1]) << step[0] << " " << step[2];
    }
}

TEST_F(SceneTest, FiresCatchWithinReachAndRelaunchesAndSkyKeysKeepCountsAndHeapFlat) {
    auto burnAt = [](float x, float y, float z) {  // the contact rule once, and what it said
        testCharacter->setPosition(QOR3dVector(x, y, z));
        return quietly(burnCharacters);
    };
    EXPECT_EQ(burnAt(2.4f, 0, 0), "");  // not lit
    // The new fire loads its sprite, which the loader reports on the following lines.
    EXPECT_EQ(burnAt(0, 2.39f, 0).rfind("Starting fire on testCharacter!\n", 0), 0u);
    ASSERT_NE(testFlames, nullptr);
    EXPECT_EQ(burnAt(0, 2.39f, 0), "");  // said once
    EXPECT_EQ(burnAt(7, 2, -3), "");  // never goes out
    EXPECT_VEC_NEAR(testFlames->getPosition(), 7.0f, 2.45f, -3.0f, 1e-6);
    QOR3dVector g = testCharacter->getLeftArmGoal();  // flailing: the box around the character
    EXPECT_TRUE(g.x >= 6 && g.x < 8 && g.y >= 2 && g.y < 3 && g.z >= -4 && g.z < -1);
    // The other character burning too, so nothing new is lit while the fireworks are measured.
    otherCharacter->setPosition(QOR3dVector(-0.5f, 1.0f, 0.0f));
    quietly(burnCharacters);
    ASSERT_NE(otherFlames, nullptr);
    fake::advance(9.9);
    relaunchFireworksIfDue();
    EXPECT_EQ(fireworksDisp, 5.0f);  // not yet
    fake::advance(0.2);
    relaunchFireworksIfDue();
    // A new place, and the stopwatch starts over.
    EXPECT_TRUE(fireworksDisp >= 0.0f && fireworksDisp < 100.0f && myTimer.elapsed_time() < 0.001)
        << fireworksDisp;
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
    // The sky keys: a new sky each time, the old one gone; both fires burn, so nothing new is lit.
    struct mallinfo2 start = mallinfo2();
    for (int i = 0; i < 100; i++) {
        bool night = i % 2 == 0;
        std::string said = quietly([&] { keyCallback(night ? '7' : '8', 0, 0); });
        EXPECT_NE(said.find(night ? "tga/clouds2.tga" : "tga/clouds3.tga"), std::string::npos);
        EXPECT_EQ(Texture::liveTextures(), textures);  // the old sky's seven names went with it
        frame();
        if (i == 19) start = mallinfo2();  // the GL driver's own caches fill up first
    }
    struct mallinfo2 end = mallinfo2();
    // The sky's image blocks live in mappings of their own and go back to the system when
    // freed: the heap neither fills with them nor grows around them.
    EXPECT_LT((long)end.uordblks - (long)start.uordblks, 1024 * 1024);
    EXPECT_LT((long)end.arena - (long)start.arena, 1024 * 1024);
}

namespace {
// Everything a key may change, by name.
enum { CAM_X, CAM_Y, CAM_Z, DIR_X, DIR_Z, SPIN, SPIN_STEP, TILT_X, TILT_Y, TILT_Z, GOAL_X, GOAL_Y,
       GOAL_Z, POS_X, POS_Y, POS_Z, VEL_X, VEL_Y, VEL_Z, HEADING, FOLLOW, WALKING, OTHER_X };
std::vector<float> keyState() {
    QOR3dVector p = testCharacter->getPosition(), v = testCharacter->getVelocity();
    return {myCamPos.x, myCamPos.y, myCamPos.z, myCamDir.x, myCamDir.z, Angle, deltaAngle, AngleX,
            AngleY, AngleZ, aendpos.x, aendpos.y, aendpos.z, p.x, p.y, p.z, v.x, v.y, v.z,
            testCharacter->getHeading(), (float)terrainCheck, (float)myController->isWalking(),
            otherCharacter->getXPosition()};
}
}  // namespace

TEST_F(SceneTest, EachKeyChangesItsOwnStateAndNothingElse) {
    // From straight ahead "q" turns left by more than "e" turns right; both stretch the direction.
    const struct { char key; float x, z; } turns[] = {
        {'q', -0.249f, -0.996f}, {'e', 0.251f, -1.002f}};
    for (auto t : turns) {
        myCamDir = QOR3dVector(0, 0, -1);
        keyCallback(t.key, 0, 0);
        EXPECT_VEC_NEAR(myCamDir, t.x, 0, t.z, 0.002f);
    }
    testCharacter->setXPosition(3);
    myCamDir = QOR3dVector(0, 0, -4);  // the eye steps by its direction's unit vector
    // Keys pressed in turn (GLUT's special keys negated), with the state each one leaves
    // (everything else stays put). The keyboard character's heading is 0: forward is +z, left +x.
    const struct { int key; std::vector<std::pair<int, float>> after; } presses[] = {
        {'C', {{POS_Y, 5.05f}, {VEL_Y, 4}}}, {'W', {{VEL_Z, 2}}}, {'S', {{VEL_Z, -1}}},
        {'A', {{VEL_X, 3}, {VEL_Z, 0.0024f}}}, {'D', {{VEL_X, -2}, {VEL_Z, 0.0016f}}},
        {'Q', {{HEADING, 5}}}, {'Q', {{HEADING, 10}}}, {'E', {{HEADING, 5}}}, {'6', {{WALKING, 1}}},
        {' ', {{SPIN_STEP, 0.5f}}}, {' ', {{SPIN_STEP, 0}}}, {'5', {{FOLLOW, 0}}},
        {'5', {{FOLLOW, 1}}}, {'a', {{TILT_Y, 5}}}, {'a', {{TILT_Y, 10}}}, {'d', {{TILT_Y, 5}}},
        {'z', {{TILT_Z, 5}}}, {'c', {{TILT_Z, 0}}}, {'c', {{TILT_Z, -5}}}, {',', {{GOAL_X, 0.1f}}},
        {'.', {{GOAL_X, 0}}}, {'l', {{GOAL_Y, 0.1f}}}, {';', {{GOAL_Y, 0}}}, {'o', {{GOAL_Z, 4.1f}}},
        {'p', {{GOAL_Z, 4}}}, {-GLUT_KEY_UP, {{CAM_Z, 4}}}, {-GLUT_KEY_RIGHT, {{CAM_X, 1}}},
        {'r', {{CAM_X, 0}, {CAM_Z, 5}, {POS_X, 0}, {POS_Z, 0}}},  // the eye and the character
        {-GLUT_KEY_LEFT, {{CAM_X, -1}}}, {-GLUT_KEY_DOWN, {{CAM_Z, 6}}},
        {-GLUT_KEY_PAGE_UP, {{CAM_Y, 3.5f}}}, {-GLUT_KEY_PAGE_DOWN, {{CAM_Y, 3}}}, {'w', {}},
        {'s', {}}, {'x', {}}, {'1', {}}, {'Z', {}}, {'b', {}}, {0xc8, {}}};
    std::vector<float> expected = keyState();
    for (const auto& press : presses) {
        quietly([&] { press.key < 0 ? specialCallback(-press.key, 0, 0)
                                    : keyCallback((unsigned char)press.key, 0, 0); });
        for (auto [field, value] : press.after) expected[field] = value;
        std::vector<float> now = keyState();
        for (size_t i = 0; i < now.size(); i++)
            EXPECT_NEAR(now[i], expected[i], 1e-4) << "key " << press.key << ", field " << i;
        EXPECT_TRUE(testCharacter->getLeftArmGoal().minus(aendpos).length() == 0 &&
                    testCharacter->getRightArmGoal().minus(aendpos).length() == 0);  // both follow
    }
    float z = aendpos.z;  // each press adds the step as a double
    for (int i = 0; i < 40; i++) {
        keyCallback('p', 0, 0);
        z = (float)(z - 0.1);  // a step narrowed to 0.1f first would end at 1.56462e-06
    }
    EXPECT_EQ(aendpos.z, z);
}
