// A burst: capped size, one shared start, upward launches, bounded lifetimes, nothing kept.
#include "FireWorks.h"
#include "support/heap.h"

#include <gtest/gtest.h>

TEST(FireWorks, HoldsNoMoreThanTheCapAndANegativeCountIsEmpty) {
    EXPECT_EQ(FireWorks(2 * MAX_NUM_PARTICLES).getNumParticles(), MAX_NUM_PARTICLES);
    EXPECT_EQ(FireWorks(-5).getNumParticles(), 0);
}

// Ten times a shared offset in [0, 0.5), less 2.5, on every axis; lifetimes of 50 to 70 s.
TEST(FireWorks, AllStartAtOneSharedPointAndLaunchUpwardForFiftyToSeventySeconds) {
    FireWorks burst(MAX_NUM_PARTICLES);
    const float start = burst.getParticle(0)->getXPosition();
    EXPECT_GE(start, -2.5f);
    EXPECT_LT(start, 2.5f);
    for (int i = 0; i < burst.getNumParticles(); i++) {
        Particle* p = burst.getParticle(i);
        ASSERT_EQ(p->getPosition().x, start) << i;
        ASSERT_EQ(p->getPosition().y, start) << i;
        ASSERT_EQ(p->getPosition().z, start) << i;
        ASSERT_GE(p->getYVelocity(), 0.0f) << i;
        ASSERT_GE(p->getLifeTime(), 50.0f) << i;
        ASSERT_LE(p->getLifeTime(), 70.0f) << i;
        ASSERT_EQ(p->getType(), Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE) << i;
    }
}

TEST(FireWorks, ABurstGivesBackItsParticles) {
    long before = heapInUse();
    for (int round = 0; round < 3; round++) FireWorks burst(MAX_NUM_PARTICLES);
    // Ten thousand particles take well over a megabyte; a few pages of slack for the allocator.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}
