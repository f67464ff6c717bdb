// The calendar clock by default; a counted sequence when a seed was given.
#include "SeedSource.h"

#include <ctime>

namespace {
bool fixed = false;
unsigned lastSeed = 0;
}  // namespace

unsigned nextSeed() {
    if (!fixed) return (unsigned)std::time(nullptr);
    return ++lastSeed;  // wraps after 2^32 seeds, which is harmless
}

void useFixedSeeds(unsigned first) {
    fixed = true;
    lastSeed = first;
}
