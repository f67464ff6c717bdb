#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "Terrain.h"
#include "kinematics.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {
clock_t fakeClock = 0;
time_t fakeTime = 1700000000;
clock_t readFakeClock() { return fakeClock; }
time_t readFakeTime() { return fakeTime; }

const float GROUND = 1.0f;  // byte 128 at scale 2

// A flat 64x64 terrain at height GROUND, no normals or surface image; the clock is ours.
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
        controller.reset();
        character.reset();
        terrain.reset();
        timer::useClocks(nullptr, nullptr);
        GLTest::TearDown();
    }

    // One frame as the scene runs it, with a fixed step of dt seconds.
    void frame(double dt = 0.02) {
        controller->update();
        fakeClock += (clock_t)std::lround(dt * 1000000.0);
        character->update();
        glLoadIdentity();
        character->draw();
    }

    // Puts both foot tips exactly at height y (x = z = 0) without touching the body.
    void placeFeet(float y) {
        Character_Leg* legs[2] = {character->myLeftLeg, character->myRightLeg};
        for (Character_Leg* leg : legs) {
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

const double MOVE_FACTOR = 3.14 / 180.0;
}  // namespace

TEST_F(ControllerTest, MovesFollowTheHeadingAndKeepTheVerticalSpeed) {
    placeFeet(GROUND + 5);  // in the air: the vertical rule leaves the y speed alone
    character->setYVelocity(0.7f);
    struct Case {
        void (Controller::*move)();
        float offset, speed;
    } cases[] = {{&Controller::moveForward, 0, 2},
                 {&Controller::moveBackward, 0, -1},
                 {&Controller::strafeLeft, 90, 3},
                 {&Controller::strafeRight, -90, 2}};
    for (float heading : {0.0f, 90.0f}) {
        character->setHeading(heading);
        for (const Case& c : cases) {
            (controller.get()->*c.move)();
            double a = (heading + c.offset) * MOVE_FACTOR;
            EXPECT_NEAR(character->getXVelocity(), std::sin(a) * c.speed, 1e-6);
            EXPECT_NEAR(character->getZVelocity(), std::cos(a) * c.speed, 1e-6);
            EXPECT_FLOAT_EQ(character->getYVelocity(), 0.7f);
        }
    }
    character->setHeading(0);
    controller->strafeLeft();
    EXPECT_NEAR(character->getXVelocity(), 3, 1e-5);  // left is +x at heading 0
    controller->turn(90);
    controller->moveForward();
    EXPECT_NEAR(character->getXVelocity(), 2, 1e-5);
    for (int i = 0; i < 54; ++i) controller->turn(5);
    EXPECT_FLOAT_EQ(character->getHeading(), 360.0f);  // never wrapped
}

TEST_F(ControllerTest, FrictionOpposesHorizontalMotionOnly) {
    character->setYPosition(10);
    character->setVelocity(QOR3dVector(0, 0, 0));
    controller->update();
    EXPECT_EQ(character->getXAcceleration(), 0.0f);
    EXPECT_EQ(character->getZAcceleration(), 0.0f);

    character->setVelocity(QOR3dVector(0, 4, 0));
    controller->update();
    EXPECT_EQ(character->getXAcceleration(), 0.0f);
    EXPECT_EQ(character->getZAcceleration(), 0.0f);

    character->setVelocity(QOR3dVector(3, 0, -4));
    controller->update();
    EXPECT_FLOAT_EQ(character->getXAcceleration(), -4.8f);
    EXPECT_FLOAT_EQ(character->getZAcceleration(), 6.4f);

    character->setVelocity(QOR3dVector(3, 4, 0));  // partly vertical: less horizontal pull
    controller->update();
    EXPECT_FLOAT_EQ(character->getXAcceleration(), -4.8f);
}

TEST_F(ControllerTest, VerticalRuleStandsFallsOrPushesUp) {
    placeFeet(GROUND + 0.05f);
    character->setYVelocity(-3);
    character->setYAcceleration(5);
    controller->updateVerticalPosition();
    EXPECT_EQ(character->getYVelocity(), 0.0f);
    EXPECT_EQ(character->getYAcceleration(), 0.0f);

    placeFeet(GROUND + 0.0501f);
    character->setYVelocity(-3);
    controller->updateVerticalPosition();
    EXPECT_FLOAT_EQ(character->getYAcceleration(), -9.81f);
    EXPECT_EQ(character->getYVelocity(), -3.0f);

    placeFeet(GROUND - 0.2f);
    float y = character->getYPosition();
    controller->updateVerticalPosition();
    EXPECT_EQ(character->getYVelocity(), 1.0f);
    EXPECT_EQ(character->getYAcceleration(), 0.0f);
    EXPECT_EQ(character->getYPosition(), y);

    controller->setWalking(true);
    controller->updateVerticalPosition();
    EXPECT_EQ(character->getYVelocity(), 2.0f);
    EXPECT_FLOAT_EQ(character->getYPosition(), y + 0.01f);
}

TEST_F(ControllerTest, JumpRisesSlowsAndLandsInTheBand) {
    character->setYPosition(GROUND + 1.5f);
    for (int i = 0; i < 150; ++i) frame();
    ASSERT_EQ(character->getYVelocity(), 0.0f);  // standing before the jump
    float rest = character->getYPosition();

    testing::internal::CaptureStdout();
    controller->jump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Jump!\n");
    EXPECT_FLOAT_EQ(character->getYPosition(), rest + 0.05f);
    EXPECT_EQ(character->getYVelocity(), 4.0f);

    float peak = rest, previousSpeed = 4.0f;
    bool sawGravity = false;
    for (int i = 0; i < 100; ++i) {
        frame();
        peak = std::max(peak, character->getYPosition());
        if (character->getYAcceleration() == -9.81f) {
            sawGravity = true;
            EXPECT_LT(character->getYVelocity(), previousSpeed + 1e-6f);
        }
        previousSpeed = character->getYVelocity();
    }
    EXPECT_TRUE(sawGravity);
    EXPECT_GT(peak, rest + 0.6f);  // about 4^2 / (2 * 9.81) = 0.8 up
    EXPECT_EQ(character->getYVelocity(), 0.0f);
    EXPECT_GE(lowestFoot(), GROUND - 1e-4f);
    EXPECT_LE(lowestFoot(), GROUND + 0.05f);
}

TEST_F(ControllerTest, DroppedCharacterEndsStandingOnTheGround) {
    character->setPosition(QOR3dVector(3, 5, -2));
    // Feet reaching for points under the hips, below the ground, as the gait's would.
    character->setLeftLegGoal(QOR3dVector(3.11f, GROUND - 0.5f, -2));
    character->setRightLegGoal(QOR3dVector(2.89f, GROUND - 0.5f, -2));
    for (int i = 0; i < 300; ++i) frame();
    EXPECT_EQ(character->getYVelocity(), 0.0f);
    EXPECT_EQ(character->getYAcceleration(), 0.0f);
    EXPECT_GE(lowestFoot(), GROUND);
    EXPECT_LE(lowestFoot(), GROUND + 0.05f);
    EXPECT_GT(character->getYPosition(), GROUND + 0.7f);  // on straight legs, not sunk in
}

TEST_F(ControllerTest, LetGoCharacterComesToRest) {
    placeFeet(GROUND + 0.02f);
    controller->moveForward();
    float z = character->getZPosition();
    // Friction slows it by 8 * 0.02 per frame as before; then it stops instead of jittering.
    for (int i = 1; i <= 12; ++i) {
        controller->update();
        fakeClock += 20000;
        character->update();
        EXPECT_NEAR(character->getZVelocity(), 2.0f - 0.16f * i, 1e-4);
    }
    for (int i = 0; i < 3; ++i) {
        controller->update();
        fakeClock += 20000;
        character->update();
    }
    z = character->getZPosition();
    for (int i = 0; i < 100; ++i) {
        controller->update();
        fakeClock += 20000;
        character->update();
        ASSERT_EQ(character->getZVelocity(), 0.0f);
        ASSERT_EQ(character->getXVelocity(), 0.0f);
    }
    EXPECT_EQ(character->getZPosition(), z);
}

TEST_F(ControllerTest, GoMentalPutsArmGoalsInTheirBox) {
    character->setPosition(QOR3dVector(2, 1, -3));
    character->setHeading(123);
    std::srand(7);
    for (int i = 0; i < 200; ++i) {
        controller->goMental();
        for (QOR3dVector g : {character->getLeftArmGoal(), character->getRightArmGoal()}) {
            EXPECT_GE(g.x, 1.0f);
            EXPECT_LT(g.x, 3.0f);
            EXPECT_GE(g.y, 1.0f);
            EXPECT_LT(g.y, 2.0f);
            EXPECT_GE(g.z, -4.0f);
            EXPECT_LT(g.z, -1.0f);
        }
    }
    EXPECT_TRUE(character->myLeftArm->getIKcont());
}

namespace {
// Long right leg: the gait must still size both circles from the left leg.
struct LongLeg : Character_Leg {
    LongLeg(QOR3dVector at) : Character_Leg(at.x, at.y, at.z, 0, 0, 0, -70) { lengthThigh = 0.7f; }
};

// Closed form of a foot goal: the body turned by h, the hip, then round the circle.
QOR3dVector expectedFoot(QOR3dVector P, double h, QOR3dVector hip, double a) {
    const double L = 0.8, c = 0.8 * L, r = L / 2.2;
    QOR3dVector local(hip.x, (float)(hip.y - c - r * std::cos(kin::rad(a))),
                      (float)(hip.z - r * std::sin(kin::rad(a))));
    return kin::toWorld(local, P, h);
}
}  // namespace

TEST_F(ControllerTest, GaitGoalsRunRoundTheirCircles) {
    QOR3dVector hipR = character->myRightLeg->getPosition();
    delete character->myRightLeg;
    character->myRightLeg = new LongLeg(hipR);
    QOR3dVector P(1, GROUND + 2, 2);
    character->setPosition(P);
    character->setHeading(90);
    character->setVelocity(QOR3dVector(0, 0, 22.5f));  // 4 * 22.5 = 90 degrees per step
    controller->setWalking(true);
    QOR3dVector hipL = character->myLeftLeg->getPosition();

    GLfloat before[16], after[16];
    glTranslatef(5, 6, 7);
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    for (double phase : {0.0, 90.0, 180.0}) {
        controller->walk();
        QOR3dVector l = expectedFoot(P, 90, hipL, phase);
        QOR3dVector r = expectedFoot(P, 90, hipR, phase + 180);
        EXPECT_VEC_NEAR(character->getLeftLegGoal(), l.x, l.y, l.z, 1e-5);
        EXPECT_VEC_NEAR(character->getRightLegGoal(), r.x, r.y, r.z, 1e-5);
    }
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);

    // At phase 90 (second step) the left foot was r behind the circle centre: along -x here.
    controller->setWalking(true);
    controller->walk();
    controller->walk();
    EXPECT_NEAR(character->getLeftLegGoal().x, P.x + hipL.z - 0.8f / 2.2f, 1e-5);
}

TEST_F(ControllerTest, GaitStandsStillWithoutSpeedAndOnlyWhileWalking) {
    character->setVelocity(QOR3dVector(0, 0, 0));
    character->setLeftLegGoal(QOR3dVector(9, 9, 9));
    controller->walk();  // not walking: no step
    EXPECT_VEC_NEAR(character->getLeftLegGoal(), 9, 9, 9, 0);
    controller->setWalking(true);
    controller->walk();
    QOR3dVector first = character->getLeftLegGoal();
    controller->walk();
    EXPECT_VEC_NEAR(character->getLeftLegGoal(), first.x, first.y, first.z, 0);
}

namespace {
int nextRandom = 0;
int fakeRandom() { return nextRandom; }
}  // namespace

TEST_F(ControllerTest, AITurnsByItsThresholds) {
    AI ai(controller.get(), fakeRandom);
    character->setYPosition(GROUND + 0.5f);
    struct Case {
        int value;
        float fraction, turn;
    } cases[] = {{0, 0.0f, -2}, {800000000, 0.8f, 2}, {550000000, 0.55f, 0}, {1900000000, 0.9f, 2}};
    for (const Case& c : cases) {
        nextRandom = c.value;
        EXPECT_NEAR(ai.getrand(), c.fraction, 1e-6);
        float heading = character->getHeading();
        ai.update();
        EXPECT_FLOAT_EQ(character->getHeading(), heading + c.turn) << c.value;
        EXPECT_TRUE(controller->isWalking());
        double a = character->getHeading() * MOVE_FACTOR;
        EXPECT_NEAR(character->getXVelocity(), 2 * std::sin(a), 1e-5);
    }
}

TEST_F(ControllerTest, WalkingAIStaysOnTheGround) {
    std::srand(11);
    AI ai(controller.get());
    character->setYPosition(GROUND + 0.9f);
    float lowBody = 1e9f, highBody = -1e9f, lowFoot = 1e9f, highFoot = -1e9f;
    for (int i = 0; i < 400; ++i) {
        ai.update();
        fakeClock += 20000;
        character->update();
        glLoadIdentity();
        character->draw();
        if (i < 50) continue;  // settling onto the ground first
        lowBody = std::min(lowBody, character->getYPosition() - GROUND);
        highBody = std::max(highBody, character->getYPosition() - GROUND);
        lowFoot = std::min(lowFoot, lowestFoot() - GROUND);
        highFoot = std::max(highFoot, lowestFoot() - GROUND);
    }
    EXPECT_GT(lowBody, 0.5f);
    EXPECT_LT(highBody, 1.2f);
    EXPECT_GT(lowFoot, -0.15f);  // a supporting foot dips a little before it is pushed up
    EXPECT_LT(highFoot, 0.5f);   // and both feet may be off it briefly between steps
    EXPECT_GT(std::hypot(character->getXPosition(), character->getZPosition()), 0.5f);  // it moved
}
