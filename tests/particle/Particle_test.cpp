// A particle alone: the step, its death and freeze, its draws on screen and the state left.
#include "Particle.h"
#include "support/vectors.h"
#include "support/fakes.h"
#include "support/gl_context.h"

#include <cmath>
#include <memory>

namespace {
std::unique_ptr<Particle> make(Particle::particleType type = Particle::PARTICLE_POINT) {
    return std::make_unique<Particle>(default3dVector, default3dVector, default3dVector,
                                      defaultColor, type, true, 10.0f, 1.0f, 1.0f);
}
// An orthographic view of 400 pixels per unit and a black window; the default texture has no
// image, so squares show their bare colour.
class ParticleDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glDisable(GL_DEPTH_TEST);  // a scene test earlier in the process may leave these on
        glDisable(GL_LIGHTING);
        glOrtho(-1, 1, -1, 1, -10, 10);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        GLTest::TearDown();
    }
};

// Count of red pixels along a row or column of the window.
int redAlong(int x, int y, int w, int h) {
    std::vector<unsigned char> px = testgl::readBack(x, y, w, h);
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4) n += px[i] > 128 && px[i + 1] < 64;
    return n;
}
}  // namespace

TEST(Particle, SemiImplicitStepDeathAtZeroAndFreeze) {
    fake::Scope fakes;
    auto p = make();
    p->setVelocity(QOR3dVector(1.0f, 0.0f, 4.0f));
    p->setAcceleration(QOR3dVector(0.0f, 4.0f, 4.0f));
    fake::advance(0.5);
    p->update();
    // Velocity first, then position with it (explicit Euler would leave y at 0).
    EXPECT_VEC_NEAR(p->getPosition(), 0.5f, 1, 3, 1e-6);
    p->setLifeTime(0.25f);
    fake::advance(0.25);
    p->update();  // used up exactly: dies, but this step still moves it
    EXPECT_FALSE(p->isAlive());
    fake::advance(1.0);
    p->update();
    EXPECT_VEC_NEAR(p->getPosition(), 0.75f, 1.75f, 4.75f, 1e-6);  // dead: frozen
    p->setAlive(true);
    p->setLifeTime(NAN);  // never dies
    p->update();
    EXPECT_TRUE(p->isAlive());
}

// (A dead particle's own draw is compared with the system's, which skips it, elsewhere.)
TEST_F(ParticleDrawTest, PointAndStreakColoursStateLeftAndSquareSizeUnderAnyTransform) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    auto point = make(Particle::PARTICLE_POINT), line = make(Particle::PARTICLE_LINE);
    point->setPosition(QOR3dVector(0.0f, 0.5f, 0.0f));  // pixel (400, 600)
    line->setVelocity(QOR3dVector(-0.5f, 0.0f, 0.0f));  // trails from x=0 to x=+1
    for (auto* q : {point.get(), line.get()}) {
        q->setSize(q == line.get() ? 4.0f : 9.0f);
        q->setColor(1, 1, 0, 1);
        q->draw();
    }
    // Probe, colour and tolerance: the point, the streak's head, nothing ahead of it.
    const int probes[][5] = {{400, 600, 255, 10}, {410, 400, 250, 12}, {300, 400, 0, 0}};
    for (const auto& q : probes)
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(q[0], q[1]), q[2], q[2], 0, q[3])) << q[1];
    EXPECT_LT(testgl::pixelAt(600, 400).r, 200);  // fading towards the tail
    EXPECT_LT(testgl::pixelAt(790, 400).r, 30);
    // Texturing stays on after a point or a streak (drawn last), off after a lone square.
    const bool textureAfter[] = {true, true, false, false, true, true};
    for (int type = 0; type < 6; type++) {
        auto p = make((Particle::particleType)type);
        p->setColor(1, 0, 0, 1);
        p->setSize(0.5f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        glPushMatrix();
        glRotatef(75, 1, 2, 1);
        glScalef(3, 0.5f, -2);
        p->draw();
        glPopMatrix();
        EXPECT_TRUE(testgl::getInt(GL_DEPTH_WRITEMASK) && !glIsEnabled(GL_CULL_FACE) &&
                    !glIsEnabled(GL_POINT_SMOOTH) && !glIsEnabled(GL_LINE_SMOOTH) &&
                    testgl::getInt(GL_MODELVIEW_STACK_DEPTH) == 1) << "type " << type;
        EXPECT_EQ((bool)glIsEnabled(GL_TEXTURE_2D), textureAfter[type]) << "type " << type;
        int wide = redAlong(0, 400, 800, 1), high = redAlong(400, 0, 1, 800);
        bool square = type >= Particle::PARTICLE_POLYGON;  // a billboard of 0.5 by 0.5
        EXPECT_TRUE(!square || (std::abs(wide - 200) <= 2 && std::abs(high - 200) <= 2))
            << "type " << type << ": " << wide << " x " << high;
    }
}
