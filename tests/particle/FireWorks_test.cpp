#include "FireWorks.h"
#include "particle/scripted_random.h"

#include <gtest/gtest.h>

#include <memory>

TEST(FireWorks, BurstValuesFollowTheDrawOrder) {
    scripted::Scope random;
    // bias; then per particle: lifetime, blue, green, red, vx, vy, vz.
    scripted::push({0.5, 0.5, 0.125, 0.25, 0.375, 0.0, 0.0, 0.75});
    scripted::push({0.75, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    std::unique_ptr<FireWorks> burst(new FireWorks(2));
    ASSERT_EQ(burst->getNumParticles(), 2);
    EXPECT_EQ(burst->getNumForceFields(), 0);
    EXPECT_FALSE(burst->isPaused());

    Particle* p = burst->getParticle(0);
    EXPECT_EQ(p->getType(), Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE);
    EXPECT_FLOAT_EQ(p->getLifeTime(), 60.0f);
    QORColor c = p->getColor();
    EXPECT_FLOAT_EQ(c.b, 0.3125f);
    EXPECT_FLOAT_EQ(c.g, 0.375f);
    EXPECT_FLOAT_EQ(c.r, 0.4375f);
    EXPECT_FLOAT_EQ(c.alpha, 1.0f);
    EXPECT_FLOAT_EQ(p->getXVelocity(), -0.75f);
    EXPECT_FLOAT_EQ(p->getYVelocity(), 0.25f);
    EXPECT_FLOAT_EQ(p->getZVelocity(), 0.75f);
    EXPECT_FLOAT_EQ(p->getXPosition(), 0.0f);  // bias 0.25: 0.25 * 10 - 2.5
    EXPECT_FLOAT_EQ(burst->getParticle(1)->getLifeTime(), 65.0f);
    EXPECT_EQ(burst->getParticle(1)->getSize(), 1.0f);
    EXPECT_EQ(burst->getParticle(1)->getMass(), 1.0f);
}

TEST(FireWorks, SharedStartNoDownwardLaunchAndCapacity) {
    int before = Particle::liveCount();
    {
        std::unique_ptr<FireWorks> burst(new FireWorks(20000));
        ASSERT_EQ(burst->getNumParticles(), MAX_NUM_PARTICLES);
        EXPECT_EQ(Particle::liveCount(), before + MAX_NUM_PARTICLES);
        Particle* first = burst->getParticle(0);
        float start = first->getXPosition();
        EXPECT_GE(start, -2.5f);
        EXPECT_LE(start, 2.5f);
        for (int i = 0; i < burst->getNumParticles(); i++) {
            Particle* p = burst->getParticle(i);
            ASSERT_EQ(p->getXPosition(), start);
            ASSERT_EQ(p->getYPosition(), start);
            ASSERT_EQ(p->getZPosition(), start);
            ASSERT_GE(p->getYVelocity(), 0.0f);
            ASSERT_GE(p->getLifeTime(), 50.0f);
            ASSERT_LT(p->getLifeTime(), 70.0f);
            ASSERT_TRUE(p->isAlive());
        }
    }
    EXPECT_EQ(Particle::liveCount(), before);

    std::unique_ptr<FireWorks> none(new FireWorks(-5));
    EXPECT_EQ(none->getNumParticles(), 0);
    EXPECT_EQ(Particle::liveCount(), before);
}
