// A fire: born at its source, reborn as flame or smoke by slot, fading by the frame.
#include "Flames.h"
#include "support/vectors.h"
#include "support/fakes.h"
#include "support/gl_context.h"

#include <cmath>
#include <memory>

namespace {
// Fires load their sprite, so they need GL; clock frozen and draws scripted (default 0.5).
class FlamesTest : public GLTest {
protected:
    std::unique_ptr<Flames> make(int n) {
        std::unique_ptr<Flames> f;
        quietly([&] { f.reset(new Flames(n, QOR3dVector(1.0f, 2.0f, 3.0f))); });
        return f;
    }
    fake::Scope fakes;
};
}  // namespace

TEST_F(FlamesTest, BornAtTheSourceWithinCapacityAndDeadSlotsReturnAsFlameOrSmokeByIndex) {
    int outside = Particle::liveCount();
    for (int n : {20000, -3}) EXPECT_EQ(make(n)->getNumParticles(), n < 0 ? 0 : MAX_NUM_PARTICLES);
    std::unique_ptr<Flames> f = make(10);
    Particle* first = f->getParticle(0);
    EXPECT_TRUE(first->getType() == Particle::PARTICLE_TRIANGLE_STRIP && first->getYVelocity() > 0);
    EXPECT_VEC_NEAR(first->getPosition(), 1, 2, 3, 0);
    f->setSize(10.0f);
    f->setPosition(QOR3dVector(4.0f, 5.0f, 6.0f));
    for (int i = 0; i < 10; i++) f->getParticle(i)->setAlive(false);
    f->update();  // every draw exactly one half: nothing revives
    int before = Particle::liveCount();
    for (int i = 0; i < 10; i++) {
        EXPECT_FALSE(f->getParticle(i)->isAlive());
        fake::draws.push_back((1 << 30) + 1);          // the smallest draw above one half
        fake::push({0.5, 0.5, 0.5, 0.25, 0.5, 0.75});  // red, size, life; jitter
    }
    f->update();
    EXPECT_EQ(Particle::liveCount(), before);  // slots reused, nothing allocated
    for (int i = 0; i < 10; i++) {
        Particle* p = f->getParticle(i);
        bool smoke = i == 0 || i == 9;  // the first and last slots: grey and long-lived
        ASSERT_TRUE(p->isAlive()) << i;
        EXPECT_FLOAT_EQ(p->getColor().r, smoke ? 0.1f : 0.9f) << i;
        EXPECT_FLOAT_EQ(p->getLifeTime(), smoke ? 12.5f : 2.5f) << i;
        EXPECT_FLOAT_EQ(p->getYPosition(), 5.0f) << i;
    }
    f.reset();
    EXPECT_EQ(Particle::liveCount(), outside);  // freed with the fire
}

TEST_F(FlamesTest, FlamesReddenAndFadeFivePercentAFrameSmokeHalfAPercent) {
    std::unique_ptr<Flames> f = make(10);
    for (int i = 0; i < 10; i++) f->getParticle(i)->setColor(1, 1, 0.5f, 1);
    for (int frame = 0; frame < 20; frame++) f->update();  // the frozen clock ages nothing
    for (int i = 0; i < 10; i++) {
        QORColor c = f->getParticle(i)->getColor();
        float fade = std::pow(i % 9 ? 0.95f : 0.995f, 20);
        EXPECT_TRUE(c.r == 1 && c.b == 0.5f) << i;
        EXPECT_NEAR(c.g, i % 9 ? fade : 1, 1e-5) << i;
        EXPECT_NEAR(c.alpha, fade, 1e-5) << i;
    }
}
