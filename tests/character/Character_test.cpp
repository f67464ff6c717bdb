// The figure: the step that brings it to rest, and joint limits in the limb searches.
#include "Character.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/vectors.h"

namespace {
class CharacterDrawing : public GLTest {};

::testing::AssertionResult inRange(const char* joint, float angle, float lowest, float highest) {
    if (angle >= lowest && angle <= highest) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << joint << " at " << angle;
}
}  // namespace

// Friction of 8 against a speed of 1 stops the figure 1/16 along its motion however long the
// step that stops it: the step landing exactly on rest, or going past it.
TEST(CharacterMotion, TheStepThatStopsAFigureSlidesItToWhereFrictionBringsItToRest) {
    fake::Scope fakes;
    for (double step : {0.125, 0.25}) {
        Character c;
        c.setVelocity(QOR3dVector(0.6f, 0, 0.8f));
        c.setAcceleration(QOR3dVector(-4.8f, 0, -6.4f));
        fake::advance(step);
        c.update();
        SCOPED_TRACE(step);
        EXPECT_VEC_NEAR(c.getPosition(), 0.6f / 16, 0, 0.8f / 16, 1e-6);
        EXPECT_EQ(c.getVelocity().length(), 0.0f);
    }
}

TEST_F(CharacterDrawing, JointsStayInTheirRangesReachingForGoalsOutOfReach) {
    Character u;
    u.setLeftArmGoal(QOR3dVector(10, 10, 10));
    u.setRightArmGoal(QOR3dVector(-10, -10, -10));
    u.setLeftLegGoal(QOR3dVector(0.5f, -0.3f, -0.3f));  // close beside: the knee folds all it can
    u.setRightLegGoal(QOR3dVector(0, 10, -5));
    u.draw();  // pulls the constructed left hip yaw of 45 into range first
    for (int frame = 0; frame < 60; ++frame) {
        u.draw();
        SCOPED_TRACE(frame);
        for (Character_Arm* a : {u.myLeftArm, u.myRightArm}) {
            EXPECT_TRUE(inRange("shoulder yaw", a->getShoulderYaw(), -50, 50));
            EXPECT_TRUE(inRange("shoulder pitch", a->getShoulderPitch(), -80, 100));
            EXPECT_TRUE(inRange("elbow", a->getElbowPitch(), -120, 0));
        }
        for (Character_Leg* l : {u.myLeftLeg, u.myRightLeg}) {
            EXPECT_TRUE(inRange("hip yaw", l->getHipYaw(), -30, 30));
            EXPECT_TRUE(inRange("hip pitch", l->getHipPitch(), -40, 120));
            EXPECT_TRUE(inRange("knee", l->getKneePitch(), 0, 140));
        }
    }
    EXPECT_FALSE(u.myLeftArm->getIKcont());
}
