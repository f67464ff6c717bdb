#include "Character.h"
#include "kinematics.h"
#include "support/gl_context.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {
clock_t fakeClock = 0;
time_t fakeTime = 1700000000;
clock_t readFakeClock() { return fakeClock; }
time_t readFakeTime() { return fakeTime; }

class CharacterMotion : public ::testing::Test {
protected:
    void SetUp() override { timer::useClocks(readFakeClock, readFakeTime); }
    void TearDown() override { timer::useClocks(nullptr, nullptr); }
    void advance(double seconds) { fakeClock += (clock_t)std::lround(seconds * 1000000.0); }
};

class CharacterDrawing : public GLTest {};

// Replaces every part with one that reports its own destruction.
std::set<const void*> destroyed;
template <class Part>
struct Counted : Part {
    using Part::Part;
    ~Counted() override { destroyed.insert(this); }
};
struct InstrumentedCharacter : Character {
    std::set<const void*> parts;
    InstrumentedCharacter() {
        replace(myLeftArm, new Counted<Character_Arm>(0, 0, 0, 0, 0, 0, 0));
        replace(myRightArm, new Counted<Character_Arm>(0, 0, 0, 0, 0, 0, 0));
        replace(myLeftLeg, new Counted<Character_Leg>(0, 0, 0, 0, 0, 0, 0));
        replace(myRightLeg, new Counted<Character_Leg>(0, 0, 0, 0, 0, 0, 0));
        replace(myHead, new Counted<Character_Head>(0, 0, 0));
        replace(myTorso, new Counted<Character_Torso>(0, 0, 0));
        replace(myTrunk, new Counted<Character_Trunk>(0, 0, 0));
    }
    template <class Part>
    void replace(Part*& slot, Counted<Part>* replacement) {
        delete slot;
        slot = replacement;
        parts.insert(replacement);
    }
};
}  // namespace

TEST_F(CharacterMotion, SemiImplicitEulerOnItsOwnStopwatch) {
    Character drifting;
    advance(2.0);
    drifting.update();
    EXPECT_NEAR(drifting.getZPosition(), 0.0002f, 1e-9);  // the constructed drift along +z

    Character c;
    c.setVelocity(QOR3dVector(1, 0, 0));
    advance(0.5);
    c.update();
    EXPECT_VEC_NEAR(c.getPosition(), 0.5f, 0, 0, 1e-7);

    c.setPosition(QOR3dVector(0, 0, 0));
    c.setVelocity(QOR3dVector(0, 0, 0));
    c.setAcceleration(QOR3dVector(0, -1, 0));
    advance(0.25);
    c.update();
    EXPECT_FLOAT_EQ(c.getYVelocity(), -0.25f);
    EXPECT_FLOAT_EQ(c.getYPosition(), -0.0625f);  // dt squared, not half of it
}

TEST_F(CharacterMotion, PauseHoldsTheStepAndTheNextUpdateCatchesUp) {
    Character c;
    c.setVelocity(QOR3dVector(0, 2, 0));
    c.pause();
    EXPECT_TRUE(c.isPaused());
    advance(1.0);
    c.update();
    EXPECT_EQ(c.getYPosition(), 0.0f);
    c.pause();
    EXPECT_FALSE(c.isPaused());
    advance(0.5);
    c.update();  // the paused second counts too
    EXPECT_FLOAT_EQ(c.getYPosition(), 3.0f);
}

TEST(CharacterParts, DestructionDeletesExactlyItsSevenParts) {
    destroyed.clear();
    InstrumentedCharacter* c = new InstrumentedCharacter();
    std::set<const void*> created = c->parts;
    ASSERT_EQ(created.size(), 7u);
    destroyed.clear();
    Drawable* asDrawable = c;
    delete asDrawable;
    EXPECT_EQ(destroyed, created);
}

TEST(CharacterParts, DefinedStartingValues) {
    Character_Trunk trunk(0, 0, 0);
    Character_Torso torso(0, 0, 0);
    Character_Head head(0, 0, 0);
    EXPECT_FLOAT_EQ(trunk.getMuscle(), 0.5f);
    EXPECT_FALSE(torso.isPaused());
    EXPECT_EQ(head.getExpression(), EXPRESSION_NEUTRAL);
    head.setGoalExpression(EXPRESSION_SMILE);
    EXPECT_EQ(head.getGoalExpression(), EXPRESSION_SMILE);
    EXPECT_EQ(head.getExpression(), EXPRESSION_NEUTRAL);

    Character_Tail tail(1, 2, 3, 4, 5);
    EXPECT_TRUE(std::isnan(tail.getPitch()));
    EXPECT_TRUE(std::isnan(tail.getLength()));
    tail.setPitch(10);
    EXPECT_TRUE(std::isnan(tail.getPitch()));
    EXPECT_VEC_NEAR(tail.getTipPosition(), 0, 0, 0, 0);
    tail.pause();
    EXPECT_FALSE(tail.isPaused());
}

TEST_F(CharacterDrawing, HeadLeavesShellColourAndBlendingOff) {
    Character_Head head(0, 0, 0);
    glColor4f(1, 0, 0, 1);
    glEnable(GL_BLEND);
    head.draw();
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.5f);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(CharacterDrawing, HeadingNinetyFacesPlusX) {
    Character c;
    c.setPosition(QOR3dVector(2, 1, -3));
    c.setHeading(90);
    c.setLeftArmGoal(QOR3dVector(3, 1.3f, -3));  // in front of it, along +x
    for (int i = 0; i < 3; ++i) {
        glLoadIdentity();
        c.draw();
    }
    // The drawn tip sits where the body-frame tip lands after a quarter turn.
    QOR3dVector body = kin::armTip(*c.myLeftArm);
    QOR3dVector world = c.myLeftArm->getEndPoint();
    EXPECT_VEC_NEAR(world, 2 + body.z, 1 + body.y, -3 - body.x, 1e-4);
    EXPECT_GT(world.x, 2.3f);  // body +z is world +x

    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_FLOAT_EQ(m[12], 0);  // drawing left the matrix as it found it
}

TEST_F(CharacterDrawing, PixelsShowTheFigureWhereItStands) {
    glClearColor(0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, 1, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 0.3, 3, 0, 0.3, 0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    Character c;
    c.setPosition(QOR3dVector(0.6f, 0, 0));
    glColor3f(1, 0, 0);
    c.draw();
    glFinish();

    GLdouble model[16], proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    auto pixelOf = [&](double x, double y, double z) {
        GLdouble wx, wy, wz;
        gluProject(x, y, z, model, proj, view, &wx, &wy, &wz);
        return testgl::pixelAt((int)wx, (int)wy);
    };
    EXPECT_TRUE(testgl::pixelNear(pixelOf(0.6, 0.1, 0.1), 255, 0, 0, 2));   // the hips
    EXPECT_TRUE(testgl::pixelNear(pixelOf(0.6, 0.3, 0.1), 255, 0, 0, 2));   // the chest
    EXPECT_TRUE(testgl::pixelNear(pixelOf(0.0, 0.1, 0.1), 0, 0, 0, 0));     // not at the origin
    EXPECT_TRUE(testgl::pixelNear(pixelOf(0.6, 1.2, 0.0), 0, 0, 0, 0));     // nothing overhead
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(5, 5), 0, 0, 0, 0));
}

TEST_F(CharacterDrawing, LegTipsEndInWorldFrameArmTipsInEyeFrame) {
    Character c;
    c.setPosition(QOR3dVector(1, 2, 3));
    c.setLeftLegGoal(QOR3dVector(1.11f, 1.3f, 3.2f));
    c.setRightLegGoal(QOR3dVector(0.89f, 1.3f, 3.2f));
    for (int i = 0; i < 40; ++i) {
        glLoadIdentity();
        glTranslatef(0, 0, -5);  // a camera: eye and world frames differ
        c.draw();
    }
    QOR3dVector leg = kin::toWorld(kin::legTip(*c.myLeftLeg), c.getPosition(), 0);
    QOR3dVector arm = kin::toWorld(kin::armTip(*c.myRightArm), c.getPosition(), 0);
    EXPECT_VEC_NEAR(c.myLeftLeg->getEndPoint(), leg.x, leg.y, leg.z, 1e-4);  // from the search
    EXPECT_VEC_NEAR(c.myRightArm->getEndPoint(), arm.x, arm.y, arm.z - 5, 1e-4);  // from its draw
    EXPECT_LT(kin::distance(c.myLeftLeg->getEndPoint(), c.getLeftLegGoal()), 0.05f);
}
