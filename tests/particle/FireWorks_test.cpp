// A burst keeps nothing once gone.
#include "FireWorks.h"
#include "support/heap.h"

#include <gtest/gtest.h>

TEST(FireWorks, ABurstGivesBackItsParticles) {
    long before = heapInUse();
    for (int round = 0; round < 3; round++) FireWorks burst(MAX_NUM_PARTICLES);
    // Ten thousand particles take well over a megabyte; a few pages of slack for the allocator.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}
