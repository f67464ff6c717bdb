// The driver in a real window: the scene built by init() with its stopwatches on a fake clock,
// the rules of each frame, the fires and fireworks, and the keys.
#include "MemoryPolicy.h"
#include "support/heap.h"
#include "support/scene.h"
#include "support/vectors.h"

#include <algorithm>

namespace {
// The allocator set up as the program does it, before any window exists.
const bool memoryConfigured = (configureMemory(), true);

// Texture names in use; the scene makes a few dozen at most.
int textureNamesInUse() { return testgl::namesInUse(glIsTexture, 4096); }
// The contact rule once with the keyboard character at (x, y, z), and what it printed.
std::string burnAt(float x, float y, float z) {
    testCharacter->setPosition(QOR3dVector(x, y, z));
    return quietly(burnCharacters);
}
// Both characters alight, so no new fire is lit while memory is measured.
void burnBoth() {
    otherCharacter->setPosition(QOR3dVector(-0.5f, 1.0f, 0.0f));
    burnAt(0, 1, 0);
}
// Ten and a half seconds on, the fireworks relaunched, and ten frames drawn.
void relaunchWithFrames() {
    fake::advance(10.5);
    quietly(relaunchFireworksIfDue);
    for (int i = 0; i < 10; i++) quietly([] { displayCallback(); glutSwapBuffers(); });
}
}  // namespace

TEST_F(SceneTest, AICharacterReachesForTheKeyboardCharacterFromTheFirstFrame) {
    frame();
    EXPECT_VEC_EQ(otherCharacter->getLeftArmGoal(), testCharacter->getPosition(), 0);
    EXPECT_VEC_EQ(otherCharacter->getRightArmGoal(), testCharacter->getPosition(), 0);
}

TEST_F(SceneTest, WorldSpinStartsAgainAtZeroBeyondAFullTurn) {
    const struct { float angle, step, after; } spins[] = {
        {10, 0.5f, 10.5f}, {359.5f, 0.5f, 360}, {360, 0.5f, 0}, {-359.75f, -0.5f, 0}};
    for (auto s : spins) {
        Angle = s.angle, deltaAngle = s.step;
        spinWorld();
        EXPECT_EQ(Angle, s.after) << "from " << s.angle;
    }
}

TEST_F(SceneTest, EyeClimbsFastSinksSlowlyAndStaysWhenFollowingIsOff) {
    const float h = myTerrain->GetHeight(myCamPos.x, myCamPos.z) + 1.0f;  // the lowest eye
    const struct { float above, after; bool following; } steps[] = {
        {-0.3f, 0.2f, true}, {0.6f, 0.6f, true}, {2.0f, 1.9f, true}, {0.0f, 0.0f, true},
        {-4.0f, -4.0f, false}, {2.0f, 2.0f, false}};
    for (auto s : steps) {
        terrainCheck = s.following;
        myCamPos.y = h + s.above;
        keepEyeAboveTerrain();
        EXPECT_FLOAT_EQ(myCamPos.y, h + s.after) << s.above << (s.following ? "" : ", off");
    }
}

TEST_F(SceneTest, FireCatchesOnlyCloserThanItsReach) {
    EXPECT_EQ(burnAt(2.4f, 0, 0), "");
    EXPECT_EQ(testFlames, nullptr);
    // The new fire loads its sprite, which the loader reports on the following lines.
    EXPECT_EQ(burnAt(0, 2.39f, 0).rfind("Starting fire on testCharacter!\n", 0), 0u);
    EXPECT_NE(testFlames, nullptr);
}

TEST_F(SceneTest, ACharactersFireIsLitOnceAndFollowsIt) {
    burnAt(0, 1, 0);
    EXPECT_EQ(burnAt(0, 1, 0), "");
    EXPECT_EQ(burnAt(7, 2, -3), "") << "far from the standing fire, it burns on";
    ASSERT_NE(testFlames, nullptr);
    EXPECT_VEC_NEAR(testFlames->getPosition(), 7.0f, 2.45f, -3.0f, 1e-6);
}

TEST_F(SceneTest, BurningCharacterFlailsItsArmsAroundItself) {
    burnAt(0, 1, 0);
    burnAt(7, 2, -3);
    // The flailing box reaches 1 to the sides, 1 up, 2 ahead: never 2.5 from the figure.
    EXPECT_LT(testCharacter->getLeftArmGoal().minus(QOR3dVector(7, 2, -3)).length(), 2.5f);
    EXPECT_LT(testCharacter->getRightArmGoal().minus(QOR3dVector(7, 2, -3)).length(), 2.5f);
}

TEST_F(SceneTest, FireworksRelaunchSomewhereNewAfterTenSeconds) {
    fake::advance(9.9);
    relaunchFireworksIfDue();
    EXPECT_EQ(fireworksDisp, 5.0f) << "not yet";
    fake::advance(0.2);
    quietly(relaunchFireworksIfDue);
    EXPECT_NE(fireworksDisp, 5.0f);
    EXPECT_LT(myTimer.elapsed_time(), 0.001) << "the stopwatch starts over";
}

TEST_F(SceneTest, FireworksRelaunchesGiveBackTheirTexturesAndMemory) {
    burnBoth();
    for (int i = 0; i < 60; i++) frame();
    relaunchWithFrames();
    const int textures = textureNamesInUse();
    const long heap = heapInUse();
    for (int i = 0; i < 6; i++) relaunchWithFrames();
    EXPECT_EQ(textureNamesInUse(), textures);
    // A burst is 50 particles and a sprite; the GL driver's and the fires' own churn is about
    // 0.1 MiB either way, so a leaked burst a launch would show well past this.
    EXPECT_LT(heapInUse() - heap, 512 * 1024);
}

TEST_F(SceneTest, SkyKeysReplaceTheOldSkyWithoutGrowth) {
    burnBoth();
    frame();
    const int textures = textureNamesInUse();
    long heap = heapInUse();
    for (int i = 0; i < 100; i++) {
        quietly([&] { keyCallback(i % 2 == 0 ? '7' : '8', 0, 0); });
        frame();
        if (i == 19) heap = heapInUse();  // the GL driver's own caches fill up first
    }
    EXPECT_EQ(textureNamesInUse(), textures) << "each old sky's seven names went with it";
    // A sky's seven images take about 1.2 MiB; the heap does not grow by even one of them.
    EXPECT_LT(heapInUse() - heap, 1024 * 1024);
}

TEST_F(SceneTest, NoGLErrorInAnyFrameThroughEveryStateTheKeysReach) {
    // Keys (GLUT's special keys as their own codes) then frames: night sky, spin and tilts,
    // walking and jumping, both figures in the fire, a relaunch, the reset and day sky, the eye
    // climbing back from below the ground, the help panel, the learner's view and a pause.
    const struct { std::vector<int> keys; int special; int frames; bool relaunch; } steps[] = {
        {{'7'}, 0, 3, false}, {{' ', 'a', 'z', 'd', 'c'}, 0, 3, false},
        {{'6', 'W', 'W', 'C', 'Q'}, 0, 5, false}, {{}, 0, 5, true}, {{'r', '8'}, 0, 2, false},
        {{}, GLUT_KEY_PAGE_DOWN, 5, false}, {{'5'}, GLUT_KEY_F1, 3, false},
        {{}, GLUT_KEY_F2, 3, false}, {{}, GLUT_KEY_F3, 3, false}, {{}, GLUT_KEY_F3, 1, false},
        {{}, GLUT_KEY_F2, 1, false}};
    std::string said = quietly([&] {
        testCharacter->setPosition(QOR3dVector(0, 1, 0));
        otherCharacter->setPosition(QOR3dVector(0.5f, 1, 0));
        for (const auto& step : steps) {
            for (int key : step.keys) keyCallback((unsigned char)key, 0, 0);
            if (step.special != 0) specialCallback(step.special, 0, 0);
            if (step.relaunch) fake::advance(10.5);
            if (step.relaunch) relaunchFireworksIfDue();
            for (int i = 0; i < step.frames; i++) frame(1.0 / 30);
        }
    });
    EXPECT_EQ(said.find("GL error"), std::string::npos) << said.substr(said.find("GL error"));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

namespace {
// Everything a key may change, by name.
enum Field { CAM_X, CAM_Y, CAM_Z, DIR_X, DIR_Z, SPIN, SPIN_STEP, TILT_X, TILT_Y, TILT_Z, GOAL_X,
             GOAL_Y, GOAL_Z, POS_X, POS_Y, POS_Z, VEL_X, VEL_Y, VEL_Z, HEADING, FOLLOW, WALKING,
             OTHER_X, SKY_SCALE, SKY_MOVING };
std::vector<float> keyState() {
    QOR3dVector p = testCharacter->getPosition(), v = testCharacter->getVelocity();
    return {myCamPos.x, myCamPos.y, myCamPos.z, myCamDir.x, myCamDir.z, Angle, deltaAngle, AngleX,
            AngleY, AngleZ, aendpos.x, aendpos.y, aendpos.z, p.x, p.y, p.z, v.x, v.y, v.z,
            testCharacter->getHeading(), (float)terrainCheck, (float)myController->isWalking(),
            otherCharacter->getXPosition(), mySkyBox->scale, mySkyBox->moving};
}
struct Change {
    Field field;
    float value;
};
struct Press {
    int key;  // GLUT's special keys negated
    std::vector<Change> after;
};
}  // namespace

TEST_F(SceneTest, EachKeyChangesItsOwnStateAndNothingElse) {
    testCharacter->setXPosition(3);
    myCamDir = QOR3dVector(0, 0, -4);  // the eye steps by its direction's unit vector
    // Keys pressed in turn with the state each leaves; everything else stays put. The keyboard
    // character's heading is 0: forward is +z, left +x.
    const Press presses[] = {
        {'C', {{POS_Y, 5.05f}, {VEL_Y, 4}}}, {'W', {{VEL_Z, 2}}}, {'S', {{VEL_Z, -1}}},
        {'A', {{VEL_X, 3}, {VEL_Z, 0.0024f}}}, {'D', {{VEL_X, -2}, {VEL_Z, 0.0016f}}},
        {'Q', {{HEADING, 5}}}, {'Q', {{HEADING, 10}}}, {'E', {{HEADING, 5}}}, {'6', {{WALKING, 1}}},
        {'6', {}},  // walks on: not a toggle
        {'7', {{SKY_SCALE, 2}, {SKY_MOVING, 1}}}, {'7', {}},
        {'8', {{SKY_SCALE, 4}, {SKY_MOVING, 0.1f}}},
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
    for (const Press& press : presses) {
        quietly([&] { press.key < 0 ? specialCallback(-press.key, 0, 0)
                                    : keyCallback((unsigned char)press.key, 0, 0); });
        for (Change c : press.after) expected[c.field] = c.value;
        std::vector<float> now = keyState();
        for (size_t i = 0; i < now.size(); i++)
            EXPECT_NEAR(now[i], expected[i], 1e-4) << "key " << press.key << ", field " << i;
    }
}

TEST_F(SceneTest, ArmGoalKeysSetBothArmsGoals) {
    keyCallback('p', 0, 0);
    EXPECT_VEC_EQ(testCharacter->getLeftArmGoal(), aendpos, 0);
    EXPECT_VEC_EQ(testCharacter->getRightArmGoal(), aendpos, 0);
}

namespace {
std::vector<unsigned char> drawn;
void keepTerrainPicture(FrameStep step) {
    if (step == FRAME_TERRAIN) drawn = testgl::readBack(0, 0, 800, 800);
}
// One more frame, and the terrain as it drew it before the sky, figures, fires and fireworks:
// nothing in it moves by itself, so the same view gives the same pixels.
std::vector<unsigned char> terrainPicture() {
    frameStepHook = keepTerrainPicture;
    fake::advance(1.0 / 60.0);
    displayCallback();
    frameStepHook = nullptr;
    return drawn;
}
// The share of the window where only the sky shows: nothing drew depth there.
double skyShare() {
    std::vector<float> depth(800 * 800);
    glReadPixels(0, 0, 800, 800, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return std::count(depth.begin(), depth.end(), 1.0f) / (double)depth.size();
}
// A left-button drag from the window's centre, dy pixels down (up when negative).
void dragDown(int dy) {
    mouseCallback(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 400);
    motionCallback(400, 400 + dy);
    mouseCallback(GLUT_LEFT_BUTTON, GLUT_UP, 400, 400 + dy);
}
}  // namespace

TEST_F(SceneTest, HomeAfterTurnsTiltsSpinAndRaisingGivesTheStartPicture) {
    const int SETTLE = 30;  // the eye sinks to the height the ground holds it at
    for (int i = 0; i < SETTLE; i++) frame();
    const std::vector<unsigned char> start = terrainPicture();
    quietly([] {
        for (unsigned char key : {'q', 'q', 'e', 'a', 'z', ' ', '5'}) keyCallback(key, 0, 0);
        for (int key : {GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_UP, GLUT_KEY_LEFT, GLUT_KEY_UP})
            specialCallback(key, 0, 0);
        dragDown(-150);
    });
    for (int i = 0; i < 20; i++) frame();
    EXPECT_GT(testgl::pixelsDiffering(start, terrainPicture(), 24), 800 * 800 / 4);
    specialCallback(GLUT_KEY_HOME, 0, 0);
    for (int i = 0; i < SETTLE; i++) frame();
    EXPECT_EQ(testgl::pixelsDiffering(start, terrainPicture(), 0), 0);
}

TEST_F(SceneTest, DraggingDownLooksUpAndDraggingUpLooksDown) {
    keyCallback('5', 0, 0);  // the eye's height stays where it is from frame to frame
    frame();
    const double level = skyShare();
    dragDown(100);
    frame();
    EXPECT_GT(skyShare(), level + 0.05) << "looking up";
    dragDown(-200);
    frame();
    EXPECT_LT(skyShare(), level - 0.05) << "looking down";
}

TEST_F(SceneTest, VerticalDragStopsSixtyDegreesFromLevel) {
    // 800 pixels of drag span the window's 35 degrees, so 1371 of them turn back 60 degrees.
    keyCallback('5', 0, 0);
    frame();
    const double level = skyShare();
    for (int far : {5000, -5000}) {
        dragDown(far);
        dragDown(far > 0 ? -1371 : 1371);
        frame();
        EXPECT_NEAR(skyShare(), level, 0.005) << "after a drag of " << far;
    }
}
