#include "Character.h"
#include "kinematics.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class LimbSearchTest : public GLTest {};

// Logs the hip yaw and the stored tip at every silent measurement the search makes.
class TracingLeg : public Character_Leg {
public:
    using Character_Leg::Character_Leg;
    std::vector<std::pair<float, QOR3dVector>> log;
    void draw() override {
        if (!isDrawing()) log.emplace_back(getHipYaw(), getEndPoint());
        Character_Leg::draw();
    }
};

// Yaw, pitch and bend of the left arm, right arm, left leg and right leg.
void jointsOf(Character& c, float out[4][3]) {
    Character_Arm* arms[2] = {c.myLeftArm, c.myRightArm};
    Character_Leg* legs[2] = {c.myLeftLeg, c.myRightLeg};
    for (int i = 0; i < 2; ++i) {
        out[i][0] = arms[i]->getShoulderYaw();
        out[i][1] = arms[i]->getShoulderPitch();
        out[i][2] = arms[i]->getElbowPitch();
        out[i + 2][0] = legs[i]->getHipYaw();
        out[i + 2][1] = legs[i]->getHipPitch();
        out[i + 2][2] = legs[i]->getKneePitch();
    }
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

TEST_F(LimbSearchTest, UnreachableGoalsKeepJointsInRangeAndStepsBounded) {
    const float lo[4][3] = {{-50, -80, -120}, {-50, -80, -120}, {-30, -40, 0}, {-30, -40, 0}};
    const float hi[4][3] = {{50, 100, 0}, {50, 100, 0}, {30, 120, 140}, {30, 120, 140}};
    const float up[4][3] = {{4, 8, 8}, {4, 8, 8}, {2.5f, 5, 5}, {2.5f, 5, 5}};  // down: twice
    Character c;
    c.setLeftArmGoal(QOR3dVector(10, 10, 10));
    c.setRightArmGoal(QOR3dVector(-10, -10, -10));
    c.setLeftLegGoal(QOR3dVector(0, -10, 5));
    c.setRightLegGoal(QOR3dVector(0, 10, -5));
    c.draw();  // pulls the constructed left hip yaw of 45 into range first
    float before[4][3], now[4][3];
    for (int frame = 0; frame < 60; ++frame) {
        jointsOf(c, before);
        c.draw();
        jointsOf(c, now);
        for (int l = 0; l < 4; ++l)
            for (int j = 0; j < 3; ++j) {
                EXPECT_GE(now[l][j], lo[l][j]);
                EXPECT_LE(now[l][j], hi[l][j]);
                EXPECT_LE(now[l][j] - before[l][j], up[l][j] + 1e-4f) << l << j;
                EXPECT_GE(now[l][j] - before[l][j], -2 * up[l][j] - 1e-4f) << l << j;
            }
    }
    EXPECT_FALSE(c.myLeftArm->getIKcont());
}

TEST_F(LimbSearchTest, ContinueFlagClearsOnlyWhenAPassEndsFartherAway) {
    Character c;
    Character_Arm* arm = c.myLeftArm;
    Character_Arm pose(0.2f, 0.3825f, 0, -30, 60, -90, 0);  // far but reachable: every pass gains
    QOR3dVector goal = kin::armTip(pose);
    arm->setNewGoalEndpoint(goal);
    float before = kin::distance(kin::armTip(*arm), goal);
    c.updateArmIK(arm);
    EXPECT_LT(kin::distance(arm->getEndPoint(), goal), before - 0.05f);
    EXPECT_TRUE(arm->getIKcont());

    glLoadIdentity();
    arm->updateEndpoint();
    arm->setNewGoalEndpoint(arm->getEndPoint());  // at the goal: any trial moves away
    glTranslatef(0, 0, -5);  // the caller's eye frame must not leak into the search
    c.updateArmIK(arm);
    EXPECT_FALSE(arm->getIKcont());
    EXPECT_LT(kin::distance(arm->getEndPoint(), arm->getGoalEndpointPosition()), 0.05f);
    arm->setNewGoalEndpoint(arm->getGoalEndpointPosition());  // the same goal re-arms it
    EXPECT_TRUE(arm->getIKcont());
}

TEST_F(LimbSearchTest, ClampsLeaveTheLegTipStaleButRemeasureTheArm) {
    Character c;
    TracingLeg leg(0.11f, 0, 0, 29.8f, 60, 20, -70);
    Character_Leg further(0.11f, 0, 0, 40, 60, 20, -70), at303(0.11f, 0, 0, 30.3f, 60, 20, -70);
    Character_Leg at30(0.11f, 0, 0, 30, 60, 20, -70);
    leg.setNewGoalEndpoint(kin::legTip(further));  // more yaw brings the foot closer
    glTranslatef(3, 0, 0);
    c.updateLegIK(&leg);
    ASSERT_GE(leg.log.size(), 3u);
    EXPECT_LE(leg.log.size(), 31u);
    EXPECT_FLOAT_EQ(leg.log[0].first, 29.8f);  // measured in the world frame before any change
    EXPECT_FLOAT_EQ(leg.log[1].first, 30.3f);  // the trial
    EXPECT_FLOAT_EQ(leg.log[2].first, 30.0f);  // clamped before the pitch trial ...
    EXPECT_VEC_EQ(leg.log[2].second, kin::legTip(at303), 1e-5);  // ... with the trial's tip
    EXPECT_GT(kin::distance(kin::legTip(at303), kin::legTip(at30)), 1e-3f);

    Character_Arm* arm = c.myRightArm;
    Character_Arm bentPast(-0.2f, 0.3825f, 0, -5, 0, 25, 0);
    arm->setNewGoalEndpoint(kin::armTip(bentPast));  // wants the elbow beyond 0
    c.updateArmIK(arm);
    EXPECT_EQ(arm->getElbowPitch(), 0.0f);
    EXPECT_VEC_EQ(arm->getEndPoint(), kin::armTip(*arm), 1e-5);
}

TEST_F(LimbSearchTest, MinYPointPicksTheLowerFootBelowTheBody) {
    Character c;
    auto placeFoot = [](Character_Leg* leg, float y) {  // straight down, tip at height y
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
    EXPECT_VEC_NEAR(c.getMinYPoint(), 0.11f, -0.5f, 0, 1e-5);
    placeFoot(c.myRightLeg, -0.5f);  // a tie goes to the right foot
    EXPECT_VEC_NEAR(c.getMinYPoint(), -0.11f, -0.5f, 0, 1e-5);
    placeFoot(c.myLeftLeg, 0.2f);
    placeFoot(c.myRightLeg, 0.2f);
    c.setPosition(QOR3dVector(4, 0, 6));
    EXPECT_VEC_NEAR(c.getMinYPoint(), 4, 0, 6, 0);
}
