// A particle alone: the step, its death and freeze, its draws on screen and the state left.
#include "Particle.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/vectors.h"

#include <cmath>
#include <memory>

namespace {
std::unique_ptr<Particle> make(Particle::particleType type = Particle::PARTICLE_POINT) {
    return std::make_unique<Particle>(default3dVector, default3dVector, default3dVector,
                                      defaultColor, type, true, 10.0f, 1.0f, 1.0f);
}

// A particle on the fake clock that has moved for half a second from rest at the origin with
// velocity (1, 0, 4) and acceleration (0, 4, 4).
class ParticleStep : public ::testing::Test {
protected:
    void SetUp() override {
        p->setVelocity(QOR3dVector(1.0f, 0.0f, 4.0f));
        p->setAcceleration(QOR3dVector(0.0f, 4.0f, 4.0f));
        fake::advance(0.5);
        p->update();
    }
    fake::Scope fakes;
    std::unique_ptr<Particle> p = make();
};

// An orthographic view of 400 pixels per unit, a black window and no texture image, so
// particles show their bare colour.
class ParticleDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glOrtho(-1, 1, -1, 1, -10, 10);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    void TearDown() override {
        glPopAttrib();
        GLTest::TearDown();
    }
    // A red particle of the type, half a unit across, drawn under a rotating, scaling and
    // mirroring model-view from a state its draw must restore.
    void drawTransformed(Particle::particleType type) {
        auto p = make(type);
        p->setColor(1, 0, 0, 1);
        p->setSize(0.5f);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        glPushMatrix();
        glRotatef(75, 1, 2, 1);
        glScalef(3, 0.5f, -2);
        p->draw();
        glPopMatrix();
    }
};

const Particle::particleType ALL_TYPES[] = {
    Particle::PARTICLE_POINT, Particle::PARTICLE_LINE, Particle::PARTICLE_POLYGON,
    Particle::PARTICLE_TRIANGLE_STRIP, Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE,
    Particle::PARTICLE_POLYGON_AND_LINE};

// Red pixels along a row or column of the window.
int redAlong(int x, int y, int w, int h) {
    return testgl::countPixels(testgl::readBack(x, y, w, h),
                               [](const unsigned char* p) { return p[0] > 128 && p[1] < 64; });
}
}  // namespace

TEST_F(ParticleStep, VelocityChangesBeforeThePositionMoves) {
    // Semi-implicit: x += (v + a dt) dt; explicit Euler would leave y at 0.
    EXPECT_VEC_NEAR(p->getPosition(), 0.5f, 1, 3, 1e-6);
}

TEST_F(ParticleStep, DiesOnTheStepThatUsesUpItsLifetimeExactlyAndStillMoves) {
    p->setLifeTime(0.25f);
    fake::advance(0.25);
    p->update();
    EXPECT_FALSE(p->isAlive());
    EXPECT_VEC_NEAR(p->getPosition(), 0.75f, 1.75f, 4.75f, 1e-6);
}

TEST_F(ParticleStep, ADeadParticleStaysWhereItIs) {
    p->setAlive(false);
    fake::advance(1.0);
    p->update();
    EXPECT_VEC_NEAR(p->getPosition(), 0.5f, 1, 3, 1e-6);
}

TEST_F(ParticleStep, ANaNLifetimeNeverEnds) {
    p->setLifeTime(NAN);
    fake::advance(100.0);
    p->update();
    EXPECT_TRUE(p->isAlive());
}

TEST_F(ParticleDrawTest, APointShowsItsColourAtItsPlace) {
    auto point = make(Particle::PARTICLE_POINT);
    point->setPosition(QOR3dVector(0.0f, 0.5f, 0.0f));  // pixel (400, 600)
    point->setSize(9.0f);
    point->setColor(1, 1, 0, 1);
    point->draw();
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(400, 600), 255, 255, 0, 10));
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(420, 600), 0, 0, 0, 0)) << "beside the point";
}

TEST_F(ParticleDrawTest, AStreakTrailsBehindItsMotionAndFades) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    auto line = make(Particle::PARTICLE_LINE);
    line->setVelocity(QOR3dVector(-0.5f, 0.0f, 0.0f));  // trails from x = 0 to x = +1
    line->setSize(4.0f);
    line->setColor(1, 1, 0, 1);
    line->draw();
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(410, 400), 250, 250, 0, 12)) << "the head";
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(300, 400), 0, 0, 0, 0)) << "ahead of it";
    EXPECT_LT(testgl::pixelAt(600, 400).r, 200);  // fading towards the tail
    EXPECT_LT(testgl::pixelAt(790, 400).r, 30);
}

TEST_F(ParticleDrawTest, EveryTypeRestoresDepthWritesCullingSmoothingAndTheMatrixStack) {
    for (Particle::particleType type : ALL_TYPES) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        drawTransformed(type);
        EXPECT_EQ(testgl::getInt(GL_DEPTH_WRITEMASK), GL_TRUE);
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH));
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
        EXPECT_EQ(testgl::getInt(GL_MODELVIEW_STACK_DEPTH), 1);
    }
}

TEST_F(ParticleDrawTest, TexturingIsLeftOnAfterADotOrStreakAndOffAfterALoneSquare) {
    const struct { Particle::particleType type; bool textureLeftOn; } cases[] = {
        {Particle::PARTICLE_POINT, true},
        {Particle::PARTICLE_LINE, true},
        {Particle::PARTICLE_POLYGON, false},
        {Particle::PARTICLE_TRIANGLE_STRIP, false},
        {Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE, true},  // the streak is drawn last
        {Particle::PARTICLE_POLYGON_AND_LINE, true}};
    for (const auto& c : cases) {
        drawTransformed(c.type);
        EXPECT_EQ((bool)glIsEnabled(GL_TEXTURE_2D), c.textureLeftOn) << "type " << c.type;
    }
}

TEST_F(ParticleDrawTest, SquaresFaceTheViewerAtTheirOwnSizeUnderAnyTransform) {
    for (Particle::particleType type : ALL_TYPES) {
        if (type < Particle::PARTICLE_POLYGON) continue;  // dots and streaks have no square
        glClear(GL_COLOR_BUFFER_BIT);
        drawTransformed(type);
        // Half a unit at 400 pixels per unit; the edges may round either way.
        EXPECT_NEAR(redAlong(0, 400, 800, 1), 200, 2) << "wide, type " << type;
        EXPECT_NEAR(redAlong(400, 0, 1, 800), 200, 2) << "high, type " << type;
    }
}
