#include "Particle.h"
#include "particle/fake_clock.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {
std::unique_ptr<Particle> makeParticle(Particle::particleType type = Particle::PARTICLE_POINT) {
    return std::unique_ptr<Particle>(new Particle(default3dVector, default3dVector,
                                                  default3dVector, defaultColor, type, true,
                                                  10.0f, 1.0f, 1.0f));
}
}  // namespace

TEST(Particle, StepUpdatesVelocityBeforePosition) {
    fakeclock::Scope clocks;
    auto p = makeParticle();
    p->update();  // no time has passed on the clock
    EXPECT_EQ(p->getXPosition(), 0.0f);

    p->setVelocity(QOR3dVector(1.0f, 0.0f, -2.0f));
    p->setAcceleration(QOR3dVector(0.0f, 4.0f, 2.0f));
    fakeclock::advance(0.5);
    p->update();
    // v = v0 + a dt, then x = x0 + v dt with the new v (explicit Euler would leave y at 0).
    EXPECT_FLOAT_EQ(p->getYVelocity(), 2.0f);
    EXPECT_FLOAT_EQ(p->getYPosition(), 1.0f);
    EXPECT_FLOAT_EQ(p->getXPosition(), 0.5f);
    EXPECT_FLOAT_EQ(p->getZVelocity(), -1.0f);
    EXPECT_FLOAT_EQ(p->getZPosition(), -0.5f);
    EXPECT_FLOAT_EQ(p->getLifeTime(), 9.5f);
    EXPECT_FLOAT_EQ(p->getYAcceleration(), 4.0f);  // the particle never touches it
    EXPECT_TRUE(p->isAlive());
}

TEST(Particle, DiesExactlyAtZeroAfterMovingAndThenFreezes) {
    fakeclock::Scope clocks;
    auto p = makeParticle();
    p->setLifeTime(0.25f);
    p->setVelocity(QOR3dVector(4.0f, 0.0f, 0.0f));
    p->setXAcceleration(4.0f);
    fakeclock::advance(0.25);
    p->update();
    EXPECT_FALSE(p->isAlive());
    EXPECT_EQ(p->getLifeTime(), 0.0f);
    EXPECT_FLOAT_EQ(p->getXVelocity(), 5.0f);   // still advanced in the fatal step
    EXPECT_FLOAT_EQ(p->getXPosition(), 1.25f);

    fakeclock::advance(1.0);
    p->update();
    EXPECT_FLOAT_EQ(p->getXPosition(), 1.25f);
    EXPECT_FLOAT_EQ(p->getXVelocity(), 5.0f);

    auto immortal = makeParticle();
    immortal->setLifeTime(NAN);
    fakeclock::advance(1.0);
    immortal->update();
    EXPECT_TRUE(immortal->isAlive());
}

TEST(Particle, PausedTimeIsNotCounted) {
    fakeclock::Scope clocks;
    auto p = makeParticle();
    p->setXVelocity(1.0f);
    fakeclock::advance(1.0);
    p->pause();
    EXPECT_TRUE(p->isPaused());
    fakeclock::advance(5.0);
    p->update();  // paused: nothing moves
    EXPECT_EQ(p->getXPosition(), 0.0f);
    p->pause();
    EXPECT_FALSE(p->isPaused());
    fakeclock::advance(0.5);
    p->update();
    EXPECT_FLOAT_EQ(p->getXPosition(), 0.5f);  // only the time since resuming
    EXPECT_FLOAT_EQ(p->getLifeTime(), 9.5f);
}

TEST(Particle, LiveCountFollowsConstructionAndDestruction) {
    int before = Particle::liveCount();
    {
        auto a = makeParticle();
        Particle copy(*a);
        EXPECT_EQ(Particle::liveCount(), before + 2);
        Drawable* asDrawable = new Particle(*a);
        EXPECT_EQ(Particle::liveCount(), before + 3);
        delete asDrawable;  // through the second base
    }
    EXPECT_EQ(Particle::liveCount(), before);
}

TEST(Particle, StreakTrailsBehindAndBillboardDropsRotationAndScale) {
    auto p = makeParticle(Particle::PARTICLE_LINE);
    p->setVelocity(QOR3dVector(2.0f, -4.0f, 6.0f));
    p->setSize(3.0f);
    QOR3dVector end = p->streakEnd();
    EXPECT_FLOAT_EQ(end.x, -3.0f);
    EXPECT_FLOAT_EQ(end.y, 6.0f);
    EXPECT_FLOAT_EQ(end.z, -9.0f);
    p->setVelocity(default3dVector);
    EXPECT_EQ(p->streakEnd().length(), 0.0f);

    float m[16];
    for (int i = 0; i < 16; i++) m[i] = (float)(i + 2);
    Particle::faceViewer(m);
    const float expected[16] = {1, 0, 0, 5, 0, 1, 0, 9, 0, 0, 1, 13, 14, 15, 16, 17};
    for (int i = 0; i < 16; i++) EXPECT_EQ(m[i], expected[i]) << "element " << i;
}

namespace {
class ParticleDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glOrtho(-1, 1, -1, 1, -10, 10);  // 400 pixels per unit
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        // A white texture so that textured squares show the particle colour.
        const unsigned char white[4] = {255, 255, 255, 255};
        glGenTextures(1, &tex);
        glBindTexture(GL_TEXTURE_2D, tex);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    }
    void TearDown() override {
        glDeleteTextures(1, &tex);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        GLTest::TearDown();
    }
    // Red pixels along the middle row and column: the square's extent in pixels.
    static void redExtent(int* width, int* height) {
        glFinish();
        std::vector<unsigned char> row = testgl::readBack(0, 400, 800, 1);
        std::vector<unsigned char> col = testgl::readBack(400, 0, 1, 800);
        *width = *height = 0;
        for (int i = 0; i < 800; i++) {
            if (row[i * 4] > 128 && row[i * 4 + 1] < 64) ++*width;
            if (col[i * 4] > 128 && col[i * 4 + 1] < 64) ++*height;
        }
    }
    GLuint tex = 0;
};
}  // namespace

TEST_F(ParticleDrawTest, BillboardSizeIgnoresEnclosingRotationAndScale) {
    for (auto type : {Particle::PARTICLE_POLYGON, Particle::PARTICLE_TRIANGLE_STRIP}) {
        auto p = makeParticle(type);
        p->setColor(1, 0, 0, 1);
        p->setSize(0.5f);
        int w, h;
        glClear(GL_COLOR_BUFFER_BIT);
        p->draw();
        redExtent(&w, &h);
        EXPECT_NEAR(w, 200, 2);
        EXPECT_NEAR(h, 200, 2);

        glClear(GL_COLOR_BUFFER_BIT);
        glPushMatrix();
        glRotatef(70, 0, 1, 0);
        glRotatef(35, 1, 0, 1);
        glScalef(3, 0.5f, -2);
        p->draw();
        glPopMatrix();
        redExtent(&w, &h);
        EXPECT_NEAR(w, 200, 2) << "type " << type;
        EXPECT_NEAR(h, 200, 2) << "type " << type;
    }
}

TEST_F(ParticleDrawTest, PointIsColouredAndDeadParticleDrawsNothing) {
    auto p = makeParticle(Particle::PARTICLE_POINT);
    p->setColor(1, 1, 0, 1);
    p->setSize(9.0f);
    p->setPosition(QOR3dVector(0.5f, 0.0f, 0.0f));  // pixel (600, 400)
    p->draw();
    glFinish();
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 400), 255, 255, 0, 10));

    glClear(GL_COLOR_BUFFER_BIT);
    p->setAlive(false);
    p->draw();
    glFinish();
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 400), 0, 0, 0, 0));
}

TEST_F(ParticleDrawTest, StreakFadesFromColourToTransparent) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    auto p = makeParticle(Particle::PARTICLE_LINE);
    p->setColor(1, 1, 0, 1);
    p->setSize(4.0f);
    p->setVelocity(QOR3dVector(-0.5f, 0.0f, 0.0f));  // streak from x=0 to x=+1
    p->draw();
    glFinish();
    testgl::Pixel nearHead = testgl::pixelAt(405, 400);
    testgl::Pixel nearTail = testgl::pixelAt(790, 400);
    EXPECT_GT(nearHead.r, 230);
    EXPECT_GT(nearHead.g, 230);
    EXPECT_LT(nearHead.b, 20);
    EXPECT_LT(nearTail.r, 30);  // almost transparent over black
    EXPECT_GT(nearHead.r, testgl::pixelAt(600, 400).r);
    EXPECT_GT(testgl::pixelAt(600, 400).r, nearTail.r);
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(300, 400), 0, 0, 0, 0));  // nothing ahead
}

TEST_F(ParticleDrawTest, EachStyleLeavesItsDocumentedState) {
    struct Case {
        int type;
        bool textureAfter;
    };
    const Case cases[] = {{Particle::PARTICLE_POINT, true},
                          {Particle::PARTICLE_LINE, true},
                          {Particle::PARTICLE_POLYGON, false},
                          {Particle::PARTICLE_TRIANGLE_STRIP, false},
                          {Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE, true},
                          {Particle::PARTICLE_POLYGON_AND_LINE, true}};
    for (const Case& c : cases) {
        auto p = makeParticle((Particle::particleType)c.type);
        p->setVelocity(QOR3dVector(0.1f, 0.2f, 0.0f));
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        p->draw();
        GLboolean mask = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        EXPECT_EQ(mask, GL_TRUE) << "type " << c.type;
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "type " << c.type;
        EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH)) << "type " << c.type;
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH)) << "type " << c.type;
        EXPECT_EQ((bool)glIsEnabled(GL_TEXTURE_2D), c.textureAfter) << "type " << c.type;
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1) << "type " << c.type;
    }
    // Unknown type: nothing drawn, texturing untouched, the rest undone.
    auto odd = makeParticle((Particle::particleType)9);
    odd->setColor(0.25f, 0.5f, 0.75f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    odd->draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_FLOAT_EQ(current[2], 0.75f);
}
