// A burst: one shared start, upward launches, one tint, bounded lifetimes, capped size.
#include "FireWorks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

TEST(FireWorks, SharedStartNoDownwardLaunchAndCapacity) {
    int before = Particle::liveCount();
    std::unique_ptr<FireWorks> burst(new FireWorks(20000));
    ASSERT_EQ(burst->getNumParticles(), MAX_NUM_PARTICLES);
    EXPECT_EQ(Particle::liveCount(), before + MAX_NUM_PARTICLES);
    float start = burst->getParticle(0)->getXPosition(), low = 1, high = 0;
    EXPECT_TRUE(start >= -2.5f && start <= 2.5f);
    for (int i = 0; i < burst->getNumParticles(); i++) {
        Particle* p = burst->getParticle(i);
        ASSERT_TRUE(p->getXPosition() == start && p->getYPosition() == start &&
                    p->getZPosition() == start);
        ASSERT_TRUE(p->getYVelocity() >= 0 && p->getLifeTime() >= 50 && p->getLifeTime() <= 70);
        ASSERT_EQ(p->getType(), Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE);
        QORColor c = p->getColor();
        low = std::min({low, c.r, c.g, c.b});
        high = std::max({high, c.r, c.g, c.b});
    }
    EXPECT_LE(high - low, 0.5f + 1e-6f);  // one tint: every channel in the burst's half range
    burst.reset(new FireWorks(-5));
    EXPECT_EQ(burst->getNumParticles(), 0);
    EXPECT_EQ(Particle::liveCount(), before);
}
