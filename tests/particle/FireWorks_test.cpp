#include "FireWorks.h"
#include "particle/particle_support.h"

#include <gtest/gtest.h>

#include <memory>

TEST(FireWorks, BurstValuesFollowTheDrawOrder) {
    fake::Scope scope;
    // bias; then lifetime, blue, green, red, vx, vy, vz.
    fake::push({0.5, 0.5, 0.125, 0.25, 0.375, 0.0, 0.0, 0.75});
    std::unique_ptr<FireWorks> burst(new FireWorks(2));
    Particle* p = burst->getParticle(0);
    EXPECT_EQ(p->getType(), Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE);
    EXPECT_FLOAT_EQ(p->getLifeTime(), 60.0f);
    QORColor c = p->getColor();
    EXPECT_FLOAT_EQ(c.b, 0.3125f);  // bias 0.25 + 0.5 u
    EXPECT_FLOAT_EQ(c.g, 0.375f);
    EXPECT_FLOAT_EQ(c.r, 0.4375f);
    EXPECT_FLOAT_EQ(p->getXVelocity(), -0.75f);
    EXPECT_FLOAT_EQ(p->getYVelocity(), 0.25f);
    EXPECT_FLOAT_EQ(p->getZVelocity(), 0.75f);
    EXPECT_FLOAT_EQ(p->getXPosition(), 0.0f);  // 0.25 * 10 - 2.5
}

TEST(FireWorks, SharedStartNoDownwardLaunchAndCapacity) {
    int before = Particle::liveCount();
    std::unique_ptr<FireWorks> burst(new FireWorks(20000));
    ASSERT_EQ(burst->getNumParticles(), MAX_NUM_PARTICLES);
    EXPECT_EQ(Particle::liveCount(), before + MAX_NUM_PARTICLES);
    float start = burst->getParticle(0)->getXPosition();
    EXPECT_TRUE(start >= -2.5f && start <= 2.5f);
    for (int i = 0; i < burst->getNumParticles(); i++) {
        Particle* p = burst->getParticle(i);
        ASSERT_TRUE(p->getXPosition() == start && p->getYPosition() == start &&
                    p->getZPosition() == start);
        ASSERT_GE(p->getYVelocity(), 0.0f);
        ASSERT_TRUE(p->getLifeTime() >= 50.0f && p->getLifeTime() <= 70.0f);
    }
    burst.reset(new FireWorks(-5));
    EXPECT_EQ(burst->getNumParticles(), 0);
    EXPECT_EQ(Particle::liveCount(), before);
}
