// Limb searches: reaching a goal over draws, and joint ranges under goals out of reach.
#include "Character.h"
#include "kinematics.h"
#include "support/gl_context.h"

class LimbSearchTest : public GLTest {};

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
    Character c;
    c.setLeftArmGoal(QOR3dVector(10, 10, 10));
    c.setRightArmGoal(QOR3dVector(-10, -10, -10));
    c.setLeftLegGoal(QOR3dVector(0, -10, 5));
    c.setRightLegGoal(QOR3dVector(0, 10, -5));
    c.draw();  // pulls the constructed left hip yaw of 45 into range first
    // Yaw, pitch and bend ranges of the arms, then of the legs.
    const float lo[2][3] = {{-50, -80, -120}, {-30, -40, 0}}, hi[2][3] = {{50, 100, 0}, {30, 120, 140}};
    for (int frame = 0; frame < 60; ++frame) {
        c.draw();
        for (Character_Arm* a : {c.myLeftArm, c.myRightArm}) {
            const float now[3] = {a->getShoulderYaw(), a->getShoulderPitch(), a->getElbowPitch()};
            for (int j = 0; j < 3; ++j) EXPECT_TRUE(now[j] >= lo[0][j] && now[j] <= hi[0][j]) << now[j];
        }
        for (Character_Leg* l : {c.myLeftLeg, c.myRightLeg}) {
            const float now[3] = {l->getHipYaw(), l->getHipPitch(), l->getKneePitch()};
            for (int j = 0; j < 3; ++j) EXPECT_TRUE(now[j] >= lo[1][j] && now[j] <= hi[1][j]) << now[j];
        }
    }
    EXPECT_FALSE(c.myLeftArm->getIKcont());
}
