// A burst: one shared start, upward launches, bounded lifetimes, capped size.
#include "FireWorks.h"

#include <gtest/gtest.h>

#include <memory>

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
                    p->getZPosition() == start && p->getYVelocity() >= 0);
        ASSERT_TRUE(p->getLifeTime() >= 50 && p->getLifeTime() <= 70 &&
                    p->getType() == Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE);
    }
    burst.reset(new FireWorks(-5));
    EXPECT_TRUE(burst->getNumParticles() == 0 && Particle::liveCount() == before);
}
