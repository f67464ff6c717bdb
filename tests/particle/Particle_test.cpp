// A particle alone: the step, its death, and a streak on screen.
#include "Particle.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/vectors.h"

#include <memory>

namespace {
std::unique_ptr<Particle> make(Particle::particleType type = Particle::PARTICLE_POINT) {
    return std::make_unique<Particle>(default3dVector, default3dVector, default3dVector,
                                      defaultColor, type, true, 10.0f, 1.0f, 1.0f);
}

// An orthographic view of 400 pixels per unit, a black window and no texture image, so
// particles show their bare colour.
struct ParticleDrawTest : GLTest {
    void SetUp() override {
        GLTest::SetUp();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};
}  // namespace

// From rest at the origin with velocity (1, 0, 4) and acceleration (0, 4, 4), two steps of a
// quarter second, the stopwatch's longest; each step changes the velocity before the position,
// so y ends at 0.75 (explicit Euler would leave 0.25).
TEST(ParticleStep, DiesOnTheStepThatUsesUpItsLifetimeExactlyAndStillMoves) {
    fake::Scope fakes;
    auto p = make();
    p->setVelocity(QOR3dVector(1.0f, 0.0f, 4.0f));
    p->setAcceleration(QOR3dVector(0.0f, 4.0f, 4.0f));
    p->setLifeTime(0.5f);
    for (int step = 0; step < 2; step++) {
        fake::advance(0.25);
        p->update();
    }
    EXPECT_FALSE(p->isAlive());
    EXPECT_VEC_NEAR(p->getPosition(), 0.5f, 0.75f, 2.75f, 1e-6);
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
