// Builds a burst; its motion is the common particle-system step under the owner's forces.
#include "FireWorks.h"
#include "SeedSource.h"

#include <cstdlib>

FireWorks::FireWorks(int theNumParticles) {
    paused = false;
    numForceFields = 0;
    // A negative request means an empty burst rather than a negative count.
    numParticles = theNumParticles < 0 ? 0 : theNumParticles;
    srand(nextSeed());
    if (numParticles > MAX_NUM_PARTICLES) numParticles = MAX_NUM_PARTICLES;

    // One offset for the whole burst: start point, velocities and colours move together.
    double unifiedBias = randomUnit() * 0.5;
    float start = (float)(unifiedBias * 10.0 - 2.5);
    for (int i = 0; i < numParticles; i++) {
        Particle* p = makeParticle();
        myParticles[i] = p;
        p->setType(Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE);
        p->setSize(1.0f);
        p->setLifeTime((float)(randomUnit() * 20.0 + 50.0));
        double blue = randomUnit() * 0.5 + unifiedBias;
        double green = randomUnit() * 0.5 + unifiedBias;
        double red = randomUnit() * 0.5 + unifiedBias;
        p->setColor((float)red, (float)green, (float)blue, 1.0f);
        double vx = 2.0 * randomUnit() + unifiedBias - 1.0;
        double vy = 2.0 * randomUnit() + unifiedBias;
        double vz = 2.0 * randomUnit() + unifiedBias - 1.0;
        p->setVelocity(QOR3dVector((float)vx, (float)vy, (float)vz));
        p->setPosition(QOR3dVector(start, start, start));
    }
}

FireWorks::~FireWorks() {
    for (int i = 0; i < numParticles; i++) delete myParticles[i];
}
