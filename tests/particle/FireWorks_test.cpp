// A burst: capped size, one shared start, upward launches, bounded lifetimes, nothing kept.
#include "FireWorks.h"
#include "support/heap.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// A burst asked for twice the cap.
struct FullBurst : ::testing::Test {
    std::unique_ptr<FireWorks> burst{new FireWorks(2 * MAX_NUM_PARTICLES)};
};
}  // namespace

TEST_F(FullBurst, HoldsNoMoreThanTheCap) {
    EXPECT_EQ(burst->getNumParticles(), MAX_NUM_PARTICLES);
}

TEST(FireWorks, ANegativeCountGivesAnEmptyBurst) {
    EXPECT_EQ(FireWorks(-5).getNumParticles(), 0);
}

TEST_F(FullBurst, EveryParticleStartsAtOneSharedPointOnTheDiagonal) {
    float start = burst->getParticle(0)->getXPosition();
    EXPECT_GE(start, -2.5f);  // ten times a shared offset in [0, 0.5), less 2.5
    EXPECT_LT(start, 2.5f);
    for (int i = 0; i < burst->getNumParticles(); i++) {
        Particle* p = burst->getParticle(i);
        ASSERT_EQ(p->getXPosition(), start) << i;
        ASSERT_EQ(p->getYPosition(), start) << i;
        ASSERT_EQ(p->getZPosition(), start) << i;
    }
}

TEST_F(FullBurst, NoParticleIsLaunchedDownward) {
    for (int i = 0; i < burst->getNumParticles(); i++)
        ASSERT_GE(burst->getParticle(i)->getYVelocity(), 0.0f) << i;
}

TEST_F(FullBurst, SquaresWithStreaksLiveFiftyToSeventySeconds) {
    for (int i = 0; i < burst->getNumParticles(); i++) {
        Particle* p = burst->getParticle(i);
        ASSERT_EQ(p->getType(), Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE) << i;
        ASSERT_GE(p->getLifeTime(), 50.0f) << i;
        ASSERT_LE(p->getLifeTime(), 70.0f) << i;
    }
}

TEST(FireWorks, ABurstGivesBackItsParticles) {
    long before = heapInUse();
    for (int round = 0; round < 3; round++) FireWorks burst(MAX_NUM_PARTICLES);
    // Ten thousand particles take well over a megabyte; a few pages of slack for the allocator.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}
