// Limb searches: reaching a goal over draws, and joint ranges under goals out of reach.
#include "Character.h"
#include "kinematics.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {
class LimbSearchTest : public GLTest {};

// Yaw, pitch and bend of the left arm, right arm, left leg and right leg.
void jointsOf(Character& c, float out[4][3]) {
    int i = 0;
    for (Character_Arm* a : {c.myLeftArm, c.myRightArm})
        out[i][0] = a->getShoulderYaw(), out[i][1] = a->getShoulderPitch(), out[i++][2] = a->getElbowPitch();
    for (Character_Leg* l : {c.myLeftLeg, c.myRightLeg})
        out[i][0] = l->getHipYaw(), out[i][1] = l->getHipPitch(), out[i++][2] = l->getKneePitch();
}
}  // namespace

TEST_F(LimbSearchTest, ArmReachesAReachableGoalOverSuccessiveDraws) {
    Character c;
    c.setPosition(QOR3dVector(1, 0.5f, -2));
    c.setHeading(30);
    Character_Arm pose(0.2f, 0.3825f, 0, 20, 30, -40, 0);  // a pose the left arm can take
    QOR3dVector goal = kin::toWorld(kin::armTip(pose), c.getPosition(), 30);
    c.setLeftArmGoal(goal);
    float first = 0;
    for (int frame = 0; frame < 40; ++frame) {
        glLoadIdentity();  // eye frame = world frame, so the drawn tip is a world point
        c.draw();
        if (frame == 0) first = kin::distance(c.myLeftArm->getEndPoint(), goal);
    }
    EXPECT_GT(first, 0.1f);
    EXPECT_LT(kin::distance(c.myLeftArm->getEndPoint(), goal), 0.04f);
}

TEST_F(LimbSearchTest, UnreachableGoalsKeepJointsInRange) {
    const float lo[4][3] = {{-50, -80, -120}, {-50, -80, -120}, {-30, -40, 0}, {-30, -40, 0}};
    const float hi[4][3] = {{50, 100, 0}, {50, 100, 0}, {30, 120, 140}, {30, 120, 140}};
    Character c;
    c.setLeftArmGoal(QOR3dVector(10, 10, 10));
    c.setRightArmGoal(QOR3dVector(-10, -10, -10));
    c.setLeftLegGoal(QOR3dVector(0, -10, 5));
    c.setRightLegGoal(QOR3dVector(0, 10, -5));
    c.draw();  // pulls the constructed left hip yaw of 45 into range first
    float now[4][3];
    for (int frame = 0; frame < 60; ++frame) {
        c.draw();
        jointsOf(c, now);
        for (int l = 0; l < 4; ++l)
            for (int j = 0; j < 3; ++j)
                EXPECT_TRUE(now[l][j] >= lo[l][j] && now[l][j] <= hi[l][j])
                    << "limb " << l << " joint " << j << ": " << now[l][j];
    }
    EXPECT_FALSE(c.myLeftArm->getIKcont());
}
