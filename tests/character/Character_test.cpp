// Whole-figure checks: integration and pause, heading, pixels and blending.
#include "Character.h"
#include "kinematics.h"
#include "support/fakes.h"
#include "support/gl_context.h"

TEST(CharacterMotion, SemiImplicitEulerOnItsOwnStopwatchAndPause) {
    fake::Scope fakes;
    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    fake::advance(0.5);
    c.update();
    EXPECT_VEC_NEAR(c.getPosition(), 0.5f, 0, 0, 1e-7);
    fake::advance(1.5);
    c.setPosition(QOR3dVector(0, 0, 0));
    c.setVelocity(QOR3dVector(0, 0, 0));
    c.setAcceleration(QOR3dVector(0, -1, 0));
    fake::advance(0.25);
    c.pause();
    c.update();  // paused: nothing moves and the step keeps running
    EXPECT_EQ(c.getYVelocity(), 0.0f);
    c.pause();
    EXPECT_FALSE(c.isPaused());
    fake::advance(0.25);
    c.update();  // one step of 2 s since its last update, the paused time included
    EXPECT_FLOAT_EQ(c.getYVelocity(), -2.0f);
    EXPECT_FLOAT_EQ(c.getYPosition(), -4.0f);  // dt squared, not half of it
}

class CharacterDrawing : public GLTest {};

TEST_F(CharacterDrawing, HeadingNinetyFacesPlusXAndTipsEndInTheirFrames) {
    Character c;
    c.setPosition(QOR3dVector(2, 1, -3));
    c.setHeading(90);
    c.setLeftArmGoal(QOR3dVector(3, 1.3f, -3));  // ahead of it along +x
    c.setLeftLegGoal(QOR3dVector(2.2f, 0.3f, -3.11f));
    for (int i = 0; i < 40; ++i) {
        glLoadIdentity();
        glTranslatef(0, 0, -5);  // a camera: eye and world frames differ
        c.draw();
    }
    // Arms keep the tip of their own draw (eye frame); legs the search's (world frame).
    QOR3dVector arm = kin::toWorld(kin::armTip(*c.myLeftArm), c.getPosition(), 90);
    EXPECT_VEC_NEAR(c.myLeftArm->getEndPoint(), arm.x, arm.y, arm.z - 5, 1e-4);
    EXPECT_GT(arm.x, 2.3f);  // body +z is world +x
    QOR3dVector leg = kin::toWorld(kin::legTip(*c.myLeftLeg), c.getPosition(), 90);
    EXPECT_VEC_EQ(c.myLeftLeg->getEndPoint(), leg, 1e-4);
    EXPECT_LT(kin::distance(c.myLeftLeg->getEndPoint(), c.getLeftLegGoal()), 0.05f);
}

TEST_F(CharacterDrawing, PixelsShowTheFigureWhereItStands) {
    glClearColor(0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -10, 10);  // world (x, y) shows at pixel (200 (x + 2), 200 (y + 2))
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Character c;
    c.setPosition(QOR3dVector(0.6f, 0, 0));
    glColor3f(1, 0, 0);
    glEnable(GL_BLEND);  // the default blend function changes nothing
    c.draw();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the head's see-through shell turns it off after
    glFinish();
    // The hips and the chest; nothing at the origin or overhead.
    const struct { int x, y, r; } probes[] = {{520, 420, 255}, {520, 460, 255}, {400, 420, 0},
                                              {520, 640, 0}};
    for (const auto& p : probes)
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(p.x, p.y), p.r, 0, 0, p.r ? 2 : 0)) << p.y;
    glDisable(GL_DEPTH_TEST);
}
