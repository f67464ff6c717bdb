// Seeds for the C library's generator. Fires and fireworks reseed it when they are made: from the
// calendar clock, or in the reproducible mode from a fixed sequence, so a run can be replayed.
#ifndef QORVEL_SEEDSOURCE_H
#define QORVEL_SEEDSOURCE_H

unsigned nextSeed();

// From now on nextSeed() gives first + 1, first + 2, ...; the caller seeds with `first` itself.
void useFixedSeeds(unsigned first);

#endif
