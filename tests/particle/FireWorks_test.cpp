// A burst: capped size, nothing kept.
#include "FireWorks.h"
#include "support/heap.h"

#include <gtest/gtest.h>

TEST(FireWorks, HoldsNoMoreThanTheCap) {
    EXPECT_EQ(FireWorks(2 * MAX_NUM_PARTICLES).getNumParticles(), MAX_NUM_PARTICLES);
}

TEST(FireWorks, ABurstGivesBackItsParticles) {
    long before = heapInUse();
    for (int round = 0; round < 3; round++) FireWorks burst(MAX_NUM_PARTICLES);
    // Ten thousand particles take well over a megabyte; a few pages of slack for the allocator.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}
