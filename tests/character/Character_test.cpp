// The figure: integration and pause, limb searches, what it draws.
#include "Character.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/vectors.h"

namespace {
class CharacterDrawing : public GLTest {};

// Where a limb's tip lies in the world, for the figure's position and heading.
template <class Limb>
QOR3dVector worldTip(Character& c, Limb& limb) {
    glPushMatrix();
    glLoadIdentity();
    const QOR3dVector p = c.getPosition();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(c.getHeading(), 0, 1, 0);
    limb.updateEndpoint();
    glPopMatrix();
    return limb.getEndPoint();
}

::testing::AssertionResult inRange(const char* joint, float angle, float lowest, float highest) {
    if (angle >= lowest && angle <= highest) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << joint << " at " << angle;
}
}  // namespace

TEST(CharacterMotion, AStepIsSemiImplicitEulerOverTheTimeSinceTheLast) {
    fake::Scope fakes;
    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    c.setAcceleration(QOR3dVector(0, -1, 0));
    fake::advance(0.25);
    c.update();
    EXPECT_VEC_NEAR(c.getPosition(), 0.25f, -0.0625f, 0, 1e-6);  // dt squared, not half of it
}

TEST(CharacterMotion, APausedFigureStaysPutAndItsNextStepTakesInThePause) {
    fake::Scope fakes;
    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    fake::advance(0.1);
    c.pause();
    c.update();
    EXPECT_EQ(c.getXPosition(), 0.0f);
    c.pause();
    fake::advance(0.1);
    c.update();
    EXPECT_NEAR(c.getXPosition(), 0.2f, 1e-6);
}

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

// A figure facing +x, drawn 40 times under a camera (so eye and world frames differ).
TEST_F(CharacterDrawing, LimbTipsReachGoalsWithinReach) {
    Character c;
    c.setPosition(QOR3dVector(2, 1, -3));
    c.setHeading(90);
    Character_Arm pose(0.2f, 0.3825f, 0, 20, 30, -40, 0);  // a pose the left arm can take
    const QOR3dVector armGoal = worldTip(c, pose);
    c.setLeftArmGoal(armGoal);
    c.setLeftLegGoal(QOR3dVector(2.2f, 0.3f, -3.11f));
    glTranslatef(0, 0, -5);
    for (int i = 0; i < 40; ++i) c.draw();
    EXPECT_LT(worldTip(c, *c.myLeftArm).minus(armGoal).length(), 0.04f);
    EXPECT_LT(worldTip(c, *c.myLeftLeg).minus(c.getLeftLegGoal()).length(), 0.05f);
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

TEST_F(CharacterDrawing, TheFigureShowsWhereItStandsAndLeavesTheCallersMatrix) {
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -10, 10);  // world (x, y) shows at pixel (200 (x + 2), 200 (y + 2))
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Character fig;
    fig.setPosition(QOR3dVector(0.6f, 0, 0));
    glColor3f(1, 0, 0);
    glEnable(GL_BLEND);  // the default blend function changes nothing
    fig.draw();
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], i % 5 == 0 ? 1.0f : 0.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the head's see-through shell turns it off after
    // The hips, the chest, the left leg and the left arm; nothing at the origin or overhead.
    const struct { int x, y, red; } probes[] = {{520, 420, 255}, {520, 460, 255}, {640, 400, 255},
                                                {610, 470, 255}, {400, 420, 0},   {520, 640, 0}};
    for (const auto& p : probes)
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(p.x, p.y), p.red, 0, 0, p.red ? 2 : 0)) << p.x;
}
