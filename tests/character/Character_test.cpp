// The figure: integration and pause, limbs measured and drawn, limb searches, pixels.
#include "Character.h"
#include "kinematics.h"
#include "support/fakes.h"
#include "support/gl_context.h"

namespace {
class CharacterDrawing : public GLTest {};

bool in(float angle, float lowest, float highest) { return angle >= lowest && angle <= highest; }
}  // namespace

TEST(CharacterMotion, SemiImplicitEulerOnItsOwnStopwatchPausedTimeIncluded) {
    fake::Scope fakes;
    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    c.setAcceleration(QOR3dVector(0, -1, 0));
    fake::advance(0.5);
    c.pause();
    c.update();  // paused: nothing moves and the step keeps running
    EXPECT_VEC_NEAR(c.getPosition(), 0, 0, 0, 0);
    c.pause();
    fake::advance(1.5);
    c.update();  // one step of 2 s since the character was made
    EXPECT_VEC_NEAR(c.getVelocity(), 1, -2, 0, 1e-6);
    EXPECT_VEC_NEAR(c.getPosition(), 2, -4, 0, 1e-6);  // dt squared, not half of it
}

TEST_F(CharacterDrawing, LimbsReachGoalsStayInRangeAndTheFigureShowsWhereItStands) {
    Character c;
    c.setPosition(QOR3dVector(2, 1, -3));
    c.setHeading(90);
    Character_Arm pose(0.2f, 0.3825f, 0, 20, 30, -40, 0);  // a pose the left arm can take
    QOR3dVector armGoal = kin::toWorld(kin::armTip(pose), c.getPosition(), 90);
    c.setLeftArmGoal(armGoal);
    c.setLeftLegGoal(QOR3dVector(2.2f, 0.3f, -3.11f));
    QOR3dVector start = kin::toWorld(kin::armTip(*c.myLeftArm), c.getPosition(), 90);
    glTranslatef(0, 0, -5);  // a camera: eye and world frames differ
    for (int i = 0; i < 40; ++i) c.draw();
    // Arms keep the tip of their own draw (eye frame); legs the search's (world frame).
    QOR3dVector arm = kin::toWorld(kin::armTip(*c.myLeftArm), c.getPosition(), 90);
    EXPECT_VEC_NEAR(c.myLeftArm->getEndPoint(), arm.x, arm.y, arm.z - 5, 1e-4);
    EXPECT_TRUE(start.minus(armGoal).length() > 0.1f && arm.minus(armGoal).length() < 0.04f);
    QOR3dVector leg = kin::toWorld(kin::legTip(*c.myLeftLeg), c.getPosition(), 90);
    EXPECT_VEC_EQ(c.myLeftLeg->getEndPoint(), leg, 1e-4);
    EXPECT_LT(leg.minus(c.getLeftLegGoal()).length(), 0.05f);
    glLoadIdentity();
    Character u;  // goals out of reach
    u.setLeftArmGoal(QOR3dVector(10, 10, 10));
    u.setRightArmGoal(QOR3dVector(-10, -10, -10));
    u.setLeftLegGoal(QOR3dVector(0.5f, -0.3f, -0.3f));  // close beside: the knee folds all it can
    u.setRightLegGoal(QOR3dVector(0, 10, -5));
    u.draw();  // pulls the constructed left hip yaw of 45 into range first
    for (int frame = 0; frame < 60; ++frame) {
        u.draw();
        for (Character_Arm* a : {u.myLeftArm, u.myRightArm})
            EXPECT_TRUE(in(a->getShoulderYaw(), -50, 50) && in(a->getShoulderPitch(), -80, 100) &&
                        in(a->getElbowPitch(), -120, 0)) << frame;
        for (Character_Leg* l : {u.myLeftLeg, u.myRightLeg})
            EXPECT_TRUE(in(l->getHipYaw(), -30, 30) && in(l->getHipPitch(), -40, 120) &&
                        in(l->getKneePitch(), 0, 140)) << frame << " " << l->getKneePitch();
    }
    EXPECT_FALSE(u.myLeftArm->getIKcont());
    glClearColor(0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -10, 10);  // world (x, y) shows at pixel (200 (x + 2), 200 (y + 2))
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Character fig;  // measured, then drawn
    fig.setPosition(QOR3dVector(0.6f, 0, 0));
    for (Character_Arm* a : {fig.myLeftArm, fig.myRightArm}) a->updateEndpoint();
    for (Character_Leg* l : {fig.myLeftLeg, fig.myRightLeg}) l->updateEndpoint();
    auto lit = [](const unsigned char* p) { return p[0] + p[1] + p[2] > 0; };
    EXPECT_EQ(testgl::countPixels(lit), 0);  // measuring the limbs drew nothing
    glColor3f(1, 0, 0);
    glEnable(GL_BLEND);  // the default blend function changes nothing
    fig.draw();
    GLfloat after[16];  // the caller's identity matrix is left alone
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], i % 5 == 0 ? 1.0f : 0.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the head's see-through shell turns it off after
    // The hips, the chest, the left leg and the left arm; nothing at the origin or overhead.
    const int probes[][3] = {{520, 420, 255}, {520, 460, 255}, {640, 400, 255},
                             {610, 470, 255}, {400, 420, 0},   {520, 640, 0}};
    for (const auto& p : probes)
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(p[0], p[1]), p[2], 0, 0, p[2] ? 2 : 0)) << p[0];
}
