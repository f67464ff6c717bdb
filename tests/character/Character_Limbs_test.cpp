#include "Character_Arm.h"
#include "Character_Leg.h"
#include "kinematics.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {
class LimbTest : public GLTest {};

int countLitPixels() {
    glFinish();
    std::vector<unsigned char> px = testgl::readBack(0, 0, 800, 800);
    int lit = 0;
    for (size_t i = 0; i < px.size(); i += 4)
        if (px[i] != 0 || px[i + 1] != 0 || px[i + 2] != 0) ++lit;
    return lit;
}
}  // namespace

TEST_F(LimbTest, TipsAtRestAndBentUnderIdentity) {
    Character_Arm arm(0, 0, 0, 0, 0, 0, 0);
    EXPECT_VEC_NEAR(arm.getGoalEndpointPosition(), 0, 0, 0, 0);
    arm.draw();
    EXPECT_VEC_NEAR(arm.getEndPoint(), 0, 0, 0.58f, 1e-6);

    Character_Leg leg(0, 0, 0, 0, 0, 0, 0);
    leg.draw();
    EXPECT_VEC_NEAR(leg.getEndPoint(), 0, 0, 0.875f, 1e-6);

    Character_Leg down(1, 2, 3, 0, 90, 0, 0);
    EXPECT_VEC_NEAR(down.getGoalEndpointPosition(), 1, 2, 3, 0);  // a leg's goal starts at its hip
    down.draw();
    EXPECT_VEC_NEAR(down.getEndPoint(), 1, 2 - 0.875f, 3, 1e-5);

    // A knee of 180 turns the shin by 90: the shin and foot hang straight down from the knee.
    Character_Leg knee(0, 0, 0, 0, 0, 180, 0);
    knee.draw();
    EXPECT_VEC_NEAR(knee.getEndPoint(), 0, -0.475f, 0.4f, 1e-5);
}

TEST_F(LimbTest, GeneralPoseMatchesClosedFormAndModelviewIsApplied) {
    Character_Arm arm(0.1f, 0.2f, 0.3f, 30, 20, -50, 10);
    Character_Leg leg(-0.1f, 0, 0.05f, -20, 35, 60, -70);
    glTranslatef(1, 2, 3);
    arm.draw();
    leg.updateEndpoint();
    QOR3dVector a = kin::armTip(arm), l = kin::legTip(leg);
    EXPECT_VEC_NEAR(arm.getEndPoint(), a.x + 1, a.y + 2, a.z + 3, 1e-5);
    EXPECT_VEC_NEAR(leg.getEndPoint(), l.x + 1, l.y + 2, l.z + 3, 1e-5);

    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_FLOAT_EQ(m[12], 1);  // both calls left the caller's matrix alone
    EXPECT_FLOAT_EQ(m[0], 1);
}

TEST_F(LimbTest, EndpointMovesOnlyWhenMeasured) {
    Character_Arm arm(0, 0, 0, 0, 0, 0, 0);
    arm.draw();
    arm.setShoulderPitch(90);
    arm.setElbowPitch(-30);
    EXPECT_VEC_NEAR(arm.getEndPoint(), 0, 0, 0.58f, 0);
    arm.updateEndpoint();
    QOR3dVector expect = kin::armTip(arm);
    EXPECT_VEC_NEAR(arm.getEndPoint(), expect.x, expect.y, expect.z, 1e-5);

    Character_Leg leg(0, 0, 0, 0, 0, 0, 0);
    leg.updateEndpoint();
    leg.setKneePitch(100);
    EXPECT_VEC_NEAR(leg.getEndPoint(), 0, 0, 0.875f, 0);
    leg.draw();
    EXPECT_LT(leg.getEndPoint().z, 0.8f);
}

TEST_F(LimbTest, UpdateEndpointDrawsNothing) {
    glClearColor(0, 0, 0, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    glRotatef(90, 0, 1, 0);  // the limbs lie along +x, across the view
    Character_Arm arm(0, 0, -0.3f, 0, 0, 0, 0);
    Character_Leg leg(0, 0.3f, -0.5f, 0, 0, 0, 0);

    glClear(GL_COLOR_BUFFER_BIT);
    arm.updateEndpoint();
    leg.updateEndpoint();
    EXPECT_EQ(countLitPixels(), 0);
    EXPECT_TRUE(arm.isDrawing());
    EXPECT_TRUE(leg.isDrawing());
    EXPECT_NEAR(arm.getEndPoint().x, 0.28f, 1e-5);  // measured all the same

    arm.draw();
    int armPixels = countLitPixels();
    EXPECT_GT(armPixels, 500);
    leg.draw();
    EXPECT_GT(countLitPixels(), armPixels + 500);
}

TEST(Limb, GoalsAndFlags) {
    Character_Arm arm(0, 0, 0, 0, 0, 0, 0);
    arm.setIKcont(false);
    arm.setNewGoalEndpoint(0, 0, 0);  // the same goal still re-arms the search flag
    EXPECT_TRUE(arm.getIKcont());
    arm.setNewGoalEndpoint(QOR3dVector(1, 2, 3));
    EXPECT_VEC_NEAR(arm.getGoalEndpointPosition(), 1, 2, 3, 0);

    Character_Leg leg(0, 0, 0, 0, 0, 0, 0);
    leg.setIKcont(false);
    leg.setNewGoalEndpoint(leg.getGoalEndpointPosition());
    EXPECT_TRUE(leg.getIKcont());
    leg.pause();
    leg.pause();
    EXPECT_FALSE(leg.isPaused());
    leg.setTexture("tga/skin.tga");
    EXPECT_EQ(leg.getTexture(), "tga/skin.tga");
}
