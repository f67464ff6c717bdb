// A burst: one start, every launch upward, at most ten thousand; nothing kept once gone.
#include "FireWorks.h"
#include "support/fakes.h"
#include "support/heap.h"

#include <gtest/gtest.h>

#include <memory>

TEST(FireWorks, EveryParticleStartsFromOnePointMovingUpward) {
    fake::Scope fakes;
    fake::useStream(7);
    std::unique_ptr<FireWorks> burst(new FireWorks(2 * MAX_NUM_PARTICLES));
    ASSERT_EQ(burst->getNumParticles(), MAX_NUM_PARTICLES);
    const QOR3dVector start = burst->getParticle(0)->getPosition();
    int downward = 0, elsewhere = 0;
    for (int i = 0; i < burst->getNumParticles(); i++) {
        Particle* p = burst->getParticle(i);
        downward += p->getYVelocity() < 0;
        elsewhere += p->getXPosition() != start.x || p->getYPosition() != start.y ||
                     p->getZPosition() != start.z;
    }
    EXPECT_EQ(downward, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST(FireWorks, ABurstGivesBackItsParticles) {
    long before = heapInUse();
    for (int round = 0; round < 3; round++) FireWorks burst(MAX_NUM_PARTICLES);
    // Ten thousand particles take well over a megabyte; a few pages of slack for the allocator.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}
