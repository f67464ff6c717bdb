// One firework burst: particles leaving a shared point with random upward-biased velocities
// and colours, drawn as sprites with fading streaks; shaped by the owner's force fields.
#ifndef QORVEL_FIREWORKS_H
#define QORVEL_FIREWORKS_H

#include "ParticleSystem.h"

class FireWorks : public ParticleSystem {
public:
    explicit FireWorks(int theNumParticles);
    ~FireWorks() override;
};

#endif
