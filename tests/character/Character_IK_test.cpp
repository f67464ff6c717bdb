#include "Character.h"
#include "kinematics.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class LimbSearchTest : public GLTest {};

// Records the angles and the tip on hand at every silent measurement the search makes.
struct Sample {
    float yaw, pitch, bend;
    QOR3dVector tipBefore;
};

class TracingLeg : public Character_Leg {
public:
    using Character_Leg::Character_Leg;
    std::vector<Sample> log;
    void draw() override {
        if (!isDrawing()) log.push_back({getHipYaw(), getHipPitch(), getKneePitch(), getEndPoint()});
        Character_Leg::draw();
    }
};

struct ArmAngles {
    float yaw, pitch, elbow;
};

ArmAngles anglesOf(Character_Arm* a) {
    return {a->getShoulderYaw(), a->getShoulderPitch(), a->getElbowPitch()};
}
}  // namespace

TEST_F(LimbSearchTest, ArmReachesAReachableGoalOverSuccessiveDraws) {
    Character c;
    c.setPosition(QOR3dVector(1, 0.5f, -2));
    c.setHeading(30);
    Character_Arm pose(0.2f, 0.22f + 0.1625f, 0, 20, 30, -40, 0);  // where the left arm can reach
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

TEST_F(LimbSearchTest, UnreachableGoalsKeepJointsInRangeAndStepsBounded) {
    Character c;
    c.setLeftArmGoal(QOR3dVector(10, 10, 10));
    c.setRightArmGoal(QOR3dVector(-10, -10, -10));
    c.setLeftLegGoal(QOR3dVector(0, -10, 5));
    c.setRightLegGoal(QOR3dVector(0, 10, -5));
    c.draw();  // the first draw may pull a constructed pose (left hip yaw 45) into range
    Character_Arm* arms[2] = {c.myLeftArm, c.myRightArm};
    Character_Leg* legs[2] = {c.myLeftLeg, c.myRightLeg};
    bool cleared = false;
    for (int frame = 0; frame < 60; ++frame) {
        ArmAngles before[2] = {anglesOf(arms[0]), anglesOf(arms[1])};
        float legBefore[2][3];
        for (int i = 0; i < 2; ++i) {
            legBefore[i][0] = legs[i]->getHipYaw();
            legBefore[i][1] = legs[i]->getHipPitch();
            legBefore[i][2] = legs[i]->getKneePitch();
        }
        c.draw();
        for (int i = 0; i < 2; ++i) {
            ArmAngles a = anglesOf(arms[i]);
            EXPECT_GE(a.yaw, -50);
            EXPECT_LE(a.yaw, 50);
            EXPECT_GE(a.pitch, -80);
            EXPECT_LE(a.pitch, 100);
            EXPECT_GE(a.elbow, -120);
            EXPECT_LE(a.elbow, 0);
            EXPECT_LE(a.yaw - before[i].yaw, 4.0f + 1e-4f);
            EXPECT_GE(a.yaw - before[i].yaw, -8.0f - 1e-4f);
            EXPECT_LE(a.pitch - before[i].pitch, 8.0f + 1e-4f);
            EXPECT_GE(a.pitch - before[i].pitch, -16.0f - 1e-4f);
            EXPECT_LE(a.elbow - before[i].elbow, 8.0f + 1e-4f);
            EXPECT_GE(a.elbow - before[i].elbow, -16.0f - 1e-4f);

            float yaw = legs[i]->getHipYaw(), pitch = legs[i]->getHipPitch();
            float knee = legs[i]->getKneePitch();
            EXPECT_GE(yaw, -30);
            EXPECT_LE(yaw, 30);
            EXPECT_GE(pitch, -40);
            EXPECT_LE(pitch, 120);
            EXPECT_GE(knee, 0);
            EXPECT_LE(knee, 140);
            EXPECT_LE(yaw - legBefore[i][0], 2.5f + 1e-4f);
            EXPECT_GE(yaw - legBefore[i][0], -5.0f - 1e-4f);
            EXPECT_LE(pitch - legBefore[i][1], 5.0f + 1e-4f);
            EXPECT_GE(pitch - legBefore[i][1], -10.0f - 1e-4f);
            EXPECT_LE(knee - legBefore[i][2], 5.0f + 1e-4f);
            EXPECT_GE(knee - legBefore[i][2], -10.0f - 1e-4f);
            cleared = cleared || !arms[i]->getIKcont() || !legs[i]->getIKcont();
        }
    }
    EXPECT_TRUE(cleared);
}

TEST_F(LimbSearchTest, ContinueFlagClearsOnlyWhenAPassEndsFartherAway) {
    Character c;
    Character_Arm* arm = c.myLeftArm;
    // Far but reachable: every pass gains ground, so the flag survives a whole call.
    Character_Arm pose(0.2f, 0.3825f, 0, -30, 60, -90, 0);
    QOR3dVector goal = kin::armTip(pose);
    arm->setNewGoalEndpoint(goal);
    float before = kin::distance(kin::armTip(*arm), goal);
    c.updateArmIK(arm);
    EXPECT_LT(kin::distance(arm->getEndPoint(), goal), before - 0.05f);
    EXPECT_TRUE(arm->getIKcont());

    // A goal exactly at the tip: the first trial can only move away, and the pass ends farther.
    glLoadIdentity();
    arm->updateEndpoint();
    arm->setNewGoalEndpoint(arm->getEndPoint());
    glTranslatef(0, 0, -5);  // the search must not be fooled by the caller's eye frame
    c.updateArmIK(arm);
    EXPECT_FALSE(arm->getIKcont());
    EXPECT_LT(kin::distance(arm->getEndPoint(), arm->getGoalEndpointPosition()), 0.05f);
    arm->setNewGoalEndpoint(arm->getGoalEndpointPosition());
    EXPECT_TRUE(arm->getIKcont());
}

TEST_F(LimbSearchTest, LegClampKeepsTheTrialTipUntilTheNextMeasurement) {
    Character c;
    TracingLeg leg(0.11f, 0, 0, 29.8f, 60, 20, -70);
    Character_Leg further(0.11f, 0, 0, 40, 60, 20, -70);
    leg.setNewGoalEndpoint(kin::legTip(further));  // more yaw brings the foot closer
    glTranslatef(3, 0, 0);
    c.updateLegIK(&leg);

    ASSERT_GE(leg.log.size(), 3u);
    EXPECT_FLOAT_EQ(leg.log[0].yaw, 29.8f);  // measured in the world frame before any change
    EXPECT_FLOAT_EQ(leg.log[1].yaw, 30.3f);  // the yaw trial
    EXPECT_FLOAT_EQ(leg.log[2].yaw, 30.0f);  // clamped before the pitch trial
    Character_Leg at303(0.11f, 0, 0, 30.3f, 60, 20, -70);
    Character_Leg at30(0.11f, 0, 0, 30.0f, 60, 20, -70);
    QOR3dVector tip303 = kin::legTip(at303);
    EXPECT_VEC_NEAR(leg.log[2].tipBefore, tip303.x, tip303.y, tip303.z, 1e-5);
    EXPECT_GT(kin::distance(leg.log[2].tipBefore, kin::legTip(at30)), 1e-3f);
    EXPECT_LE(leg.getHipYaw(), 30.0f);
    EXPECT_LE(leg.log.size(), 1u + 5u * 6u);  // at most two measurements per joint step
}

TEST_F(LimbSearchTest, ArmClampIsMeasuredAtTheLimit) {
    Character c;
    Character_Arm* arm = c.myRightArm;
    arm->setElbowPitch(0);
    Character_Arm bentPast(arm->getPosition().x, arm->getPosition().y, 0, -5, 0, 25, 0);
    arm->setNewGoalEndpoint(kin::armTip(bentPast));  // wants the elbow beyond 0
    c.updateArmIK(arm);
    EXPECT_FLOAT_EQ(arm->getElbowPitch(), 0.0f);
    QOR3dVector tip = kin::armTip(*arm);  // the stored tip always matches the arm's angles
    EXPECT_VEC_NEAR(arm->getEndPoint(), tip.x, tip.y, tip.z, 1e-5);
}

TEST_F(LimbSearchTest, MinYPointPicksTheLowerFootBelowTheBody) {
    Character c;
    auto placeFoot = [](Character_Leg* leg, float y) {
        leg->setHipPitch(90);
        leg->setHipYaw(0);
        leg->setKneePitch(0);
        leg->setAnklePitch(0);
        glLoadIdentity();
        glTranslatef(0, y + 0.875f, 0);
        leg->updateEndpoint();
    };
    placeFoot(c.myLeftLeg, -0.5f);
    placeFoot(c.myRightLeg, -0.3f);
    EXPECT_NEAR(c.getMinYPoint().y, -0.5f, 1e-5);
    EXPECT_NEAR(c.getMinYPoint().x, c.myLeftLeg->getEndPoint().x, 0);

    placeFoot(c.myRightLeg, -0.5f);  // a tie goes to the right foot
    EXPECT_NEAR(c.getMinYPoint().x, -0.11f, 1e-5);

    placeFoot(c.myLeftLeg, 0.2f);
    placeFoot(c.myRightLeg, 0.2f);
    c.setPosition(QOR3dVector(4, 0, 6));
    EXPECT_VEC_NEAR(c.getMinYPoint(), 4, 0, 6, 0);
}
