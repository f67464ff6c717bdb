// Controller and AI on flat ground: friction, the vertical rule, jumps, walking, turns.
#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "Terrain.h"
#include "kinematics.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
clock_t fakeClock = 0;
clock_t readFakeClock() { return fakeClock; }
time_t readFakeTime() { return 1700000000; }
int nextRandom = 0;
int fakeRandom() { return nextRandom; }

const float GROUND = 1.0f;  // byte 128 at scale 2
const double MOVE_FACTOR = 3.14 / 180.0;

// A character on a flat 64x64 terrain at height GROUND; the clock is the test's.
class ControllerTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        timer::useClocks(readFakeClock, readFakeTime);
        std::string path = tgatest::writeFlatTga(tgatest::tempPath("flat.tga"), 64, 64, 24, 128);
        testing::internal::CaptureStdout();  // the terrain announces itself
        terrain.reset(new Terrain(path.c_str(), false, 2.0f, false, nullptr));
        testing::internal::GetCapturedStdout();
        character.reset(new Character());
        controller.reset(new Controller(character.get(), terrain.get()));
    }
    void TearDown() override {
        timer::useClocks(nullptr, nullptr);
        GLTest::TearDown();
    }
    // One frame as the scene runs it, with a step of 0.02 s; drawing runs the limb searches.
    void frame(bool draw = true) {
        controller->update();
        fakeClock += 20000;
        character->update();
        glLoadIdentity();
        if (draw) character->draw();
    }
    // Both foot tips exactly at height y, the body above them.
    void placeFeet(float y) {
        for (Character_Leg* leg : {character->myLeftLeg, character->myRightLeg}) {
            leg->setPosition(QOR3dVector(0, 0, 0));
            leg->setHipYaw(0);
            leg->setHipPitch(0);
            leg->setKneePitch(0);
            leg->setAnklePitch(0);
            glLoadIdentity();
            glTranslatef(0, y, -0.875f);
            leg->updateEndpoint();
        }
        character->setYPosition(y + 0.5f);
    }
    float lowestFoot() { return character->getMinYPoint().y; }

    std::unique_ptr<Terrain> terrain;
    std::unique_ptr<Character> character;
    std::unique_ptr<Controller> controller;
};
}  // namespace

TEST_F(ControllerTest, MovesKeepTheVerticalSpeed) {
    placeFeet(GROUND + 5);  // in the air: the vertical rule leaves the y speed alone
    character->setYVelocity(0.7f);
    for (auto move : {&Controller::moveForward, &Controller::moveBackward, &Controller::strafeLeft,
                      &Controller::strafeRight}) {
        (controller.get()->*move)();
        EXPECT_EQ(character->getYVelocity(), 0.7f);
    }
}

TEST_F(ControllerTest, VerticalRuleBandAndGroundPush) {
    // Exactly at the top of the band: standing; just above it: falling, speed kept.
    const struct { float above, velocity, acceleration; } band[] = {{0.05f, 0, 0},
                                                                     {0.0501f, -3, -9.81f}};
    for (const auto& b : band) {
        placeFeet(GROUND + b.above);
        character->setYVelocity(-3);
        character->setYAcceleration(5);
        controller->updateVerticalPosition();
        EXPECT_EQ(character->getYVelocity(), b.velocity) << b.above;
        EXPECT_EQ(character->getYAcceleration(), b.acceleration) << b.above;
    }
    placeFeet(GROUND - 0.2f);
    float y = character->getYPosition();  // feet in the ground: pushed up, faster when walking
    controller->updateVerticalPosition();
    EXPECT_TRUE(character->getYVelocity() == 1 && character->getYAcceleration() == 0 &&
                character->getYPosition() == y);
    controller->setWalking(true);
    controller->updateVerticalPosition();
    EXPECT_EQ(character->getYVelocity(), 2.0f);
    EXPECT_FLOAT_EQ(character->getYPosition(), y + 0.01f);
}

TEST_F(ControllerTest, DroppedCharacterStandsThenJumpsAndLandsInTheBand) {
    character->setPosition(QOR3dVector(3, 5, -2));
    // Feet reaching for points under the hips, below the ground, as the gait's would.
    character->setLeftLegGoal(QOR3dVector(3.11f, GROUND - 0.5f, -2));
    character->setRightLegGoal(QOR3dVector(2.89f, GROUND - 0.5f, -2));
    for (int i = 0; i < 300; ++i) frame();
    ASSERT_EQ(character->getYVelocity(), 0.0f);  // standing
    EXPECT_TRUE(lowestFoot() >= GROUND && lowestFoot() <= GROUND + 0.05f) << lowestFoot();
    EXPECT_GT(character->getYPosition(), GROUND + 0.7f);  // on straight legs, not sunk in

    float rest = character->getYPosition(), peak = rest;
    testing::internal::CaptureStdout();
    controller->jump();
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(character->getYPosition(), rest + 0.05f);
    EXPECT_EQ(character->getYVelocity(), 4.0f);
    for (int i = 0; i < 100; ++i) {
        float v = character->getYVelocity();
        frame();
        peak = std::max(peak, character->getYPosition());
        if (character->getYAcceleration() != 0) {
            EXPECT_NEAR(character->getYVelocity(), v - 9.81f * 0.02f, 1e-4);
        }
    }
    EXPECT_GT(peak, rest + 0.6f);  // about 4^2 / (2 * 9.81) = 0.8 up
    EXPECT_EQ(character->getYVelocity(), 0.0f);
    EXPECT_TRUE(lowestFoot() >= GROUND - 1e-4f && lowestFoot() <= GROUND + 0.05f) << lowestFoot();
}

TEST_F(ControllerTest, LetGoCharacterStopsWithoutSteppingBack) {
    placeFeet(GROUND + 0.02f);
    controller->moveForward();  // 2 along +z; friction takes 0.16 off each 0.02 s step
    float z = character->getZPosition();
    for (int i = 1; i <= 115; ++i) {
        frame(false);
        ASSERT_GE(character->getZPosition(), z) << i;
        z = character->getZPosition();
        // Frame 13 would take the speed from 0.08 to -0.08: it stops there instead.
        ASSERT_EQ(character->getVelocity().length() == 0.0f, i >= 13) << i;
    }
}

TEST_F(ControllerTest, WalkingMovesTheFootGoalsAndRestoresTheMatrix) {
    character->setVelocity(QOR3dVector(0, 0, 22.5f));  // a quarter of the gait per step
    controller->setWalking(true);
    glTranslatef(5, 6, 7);
    controller->walk();
    QOR3dVector left = character->getLeftLegGoal();
    controller->walk();
    EXPECT_GT(kin::distance(character->getLeftLegGoal(), left), 0.1f);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_VEC_NEAR(QOR3dVector(m[12], m[13], m[14]), 5, 6, 7, 0);
}

TEST_F(ControllerTest, AITurnsByItsThresholds) {
    AI ai(controller.get(), fakeRandom);
    character->setYPosition(GROUND + 0.5f);
    struct Case {
        int value;
        float fraction, turn;
    } cases[] = {{0, 0.0f, -2}, {800000000, 0.8f, 2}, {550000000, 0.55f, 0}, {1900000000, 0.9f, 2}};
    for (const Case& c : cases) {
        nextRandom = c.value;
        EXPECT_NEAR(ai.getrand(), c.fraction, 1e-6);  // only the fractional part counts
        float heading = character->getHeading();
        ai.update();
        EXPECT_FLOAT_EQ(character->getHeading(), heading + c.turn) << c.value;
        EXPECT_TRUE(controller->isWalking());
        EXPECT_NEAR(character->getXVelocity(), 2 * std::sin(character->getHeading() * MOVE_FACTOR), 1e-5);
    }
}
