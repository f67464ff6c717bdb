// The figure: pause, the step that brings it to rest, the lowest point, the limb searches (within
// range, reaching) and what it draws.
#include "Character.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/limbs.h"
#include "support/vectors.h"

namespace {
class CharacterDrawing : public GLTest {};

::testing::AssertionResult inRange(const char* joint, float angle, float lowest, float highest) {
    if (angle >= lowest && angle <= highest) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << joint << " at " << angle;
}

// Leaves a leg's last measured tip at (x, y, 0): under a zero scale every point of it lands there.
void measureTipAt(Character_Leg* leg, float x, float y) {
    glPushMatrix();  // on the identity the fixture leaves
    glTranslatef(x, y, 0);
    glScalef(0, 0, 0);
    leg->updateEndpoint();
    glPopMatrix();
}
}  // namespace

TEST(CharacterMotion, APausedFigureStaysWhereItIs) {
    fake::Scope fakes;
    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    c.pause();
    fake::advance(0.1);
    c.update();
    EXPECT_EQ(c.getXPosition(), 0.0f);
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

// The left foot stands at x 1, the right at x -1, the body at x 5: x tells which was chosen.
TEST_F(CharacterDrawing, TheLowestPointIsTheLowerFootBelowTheBodyElseTheBody) {
    enum Pick { LEFT, RIGHT, BODY };
    const struct { float left, right, body; Pick lowest; } cases[] = {
        {-0.5f, -0.3f, 0, LEFT}, {-0.3f, -0.5f, 0, RIGHT}, {0.2f, 0.2f, 0, BODY},
        {-0.5f, -0.5f, 0, RIGHT},  // equally low feet: the right one
        {0, 1, 0, BODY}};          // a foot level with the body is not below it
    const float x[] = {1, -1, 5};
    Character c;
    for (const auto& k : cases) {
        measureTipAt(c.myLeftLeg, x[LEFT], k.left);
        measureTipAt(c.myRightLeg, x[RIGHT], k.right);
        c.setPosition(QOR3dVector(x[BODY], k.body, 0));
        EXPECT_EQ(c.getMinYPoint().x, x[k.lowest]) << k.left << " " << k.right << " " << k.body;
    }
}

// Goals each limb can reach (the tip of a pose it can take, measured here), for a figure turned
// to face +x and drawn under a camera, so that eye, body and world frames all differ.
TEST_F(CharacterDrawing, EveryLimbsTipEndsAtAGoalItCanReach) {
    Character c;
    c.setPosition(QOR3dVector(2, 1, -3));
    c.setHeading(90);
    auto armGoal = [&](Character_Arm* a, float yaw, float pitch, float elbow) {
        const QOR3dVector p = a->getPosition();
        Character_Arm pose(p.x, p.y, p.z, yaw, pitch, elbow, a->getWristPitch());
        return worldTip(c, pose);
    };
    auto legGoal = [&](Character_Leg* l, float yaw, float pitch, float knee) {
        const QOR3dVector p = l->getPosition();
        Character_Leg pose(p.x, p.y, p.z, yaw, pitch, knee, l->getAnklePitch());
        return worldTip(c, pose);
    };
    c.setLeftArmGoal(armGoal(c.myLeftArm, 20, 30, -40));
    c.setRightArmGoal(armGoal(c.myRightArm, -30, 60, -80));
    c.setLeftLegGoal(legGoal(c.myLeftLeg, 10, 30, 40));
    c.setRightLegGoal(legGoal(c.myRightLeg, -15, 60, 90));
    glTranslatef(0, 0, -5);  // the camera
    for (int i = 0; i < 40; ++i) c.draw();
    const struct { const char* limb; QOR3dVector tip, goal; } limbs[] = {
        {"left arm", worldTip(c, *c.myLeftArm), c.getLeftArmGoal()},
        {"right arm", worldTip(c, *c.myRightArm), c.getRightArmGoal()},
        {"left leg", worldTip(c, *c.myLeftLeg), c.getLeftLegGoal()},
        {"right leg", worldTip(c, *c.myRightLeg), c.getRightLegGoal()}};
    for (const auto& l : limbs) EXPECT_LT(l.tip.minus(l.goal).length(), 0.05f) << l.limb;
}

// Front view in red; world (x, y) shows at pixel (200 (x + 2), 200 (y + 2)).
TEST_F(CharacterDrawing, TheFigureShowsItsHipsChestAndBothLegsWhereItStands) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT);
    Character fig;
    fig.setPosition(QOR3dVector(0.6f, 0, 0));
    glColor3f(1, 0, 0);
    fig.draw();
    // The hips at pixel (520, 400), each leg running out sideways from them (the left one to
    // the right), the chest up beside the spine (where only it shows); nothing over the head.
    const struct { const char* what; int x, y, red; } probes[] = {{"the hips", 520, 388, 255},
        {"the chest", 548, 459, 255}, {"the left leg", 620, 400, 255},
        {"the right leg", 440, 400, 255}, {"over the head", 520, 640, 0}};
    for (const auto& p : probes)
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(p.x, p.y), p.red, 0, 0, 2)) << p.what;
}
