// Particle system base: force list, per-frame step, drawing with the shared texture, pausing.
#include "ParticleSystem.h"

#include "ParticleBatch.h"

#include <GL/gl.h>

#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace {
int (*randomSource)() = std::rand;
}  // namespace

void ParticleSystem::useRandomSource(int (*source)()) {
    randomSource = source ? source : std::rand;
}

double ParticleSystem::randomUnit() {
    return randomSource() / 2147483648.0;
}

Particle* ParticleSystem::makeParticle() {
    return new Particle(default3dVector, default3dVector, default3dVector, defaultColor,
                        Particle::PARTICLE_POINT, true, 10.0f, 1.0f, 1.0f);
}

ParticleSystem::ParticleSystem()
    : paused(false), myOutline(spriteOutline(nullptr, 0, 0, false)), myForces(),
      numForceFields(0), myParticles(), numParticles(0) {}

// Each effect frees the particles it made; the base only holds the pointers.
ParticleSystem::~ParticleSystem() {}

void ParticleSystem::applyForces(Particle* particle) {
    for (int j = 0; j < numForceFields; j++) {
        ForceField field;
        (field.*myForces[j])(particle);
    }
}

void ParticleSystem::update() {
    if (isPaused()) return;
    for (int i = 0; i < numParticles; i++) {
        Particle* particle = myParticles[i];
        particle->setXAcceleration(0.0f);
        particle->setYAcceleration(0.0f);
        particle->setZAcceleration(0.0f);
        applyForces(particle);
        particle->update();
    }
}

// The particles' own draws, batched (see ParticleBatch.h).
void ParticleSystem::draw() {
    glBindTexture(GL_TEXTURE_2D, myTexture.GetID());
    drawParticleBatch(myParticles, numParticles, myOutline);
}

void ParticleSystem::pause() {
    for (int i = 0; i < numParticles; i++) myParticles[i]->pause();
    paused = !paused;
}

bool ParticleSystem::isPaused() { return paused; }

int ParticleSystem::countLive() const {
    int live = 0;
    for (int i = 0; i < numParticles; i++) live += myParticles[i]->isAlive() ? 1 : 0;
    return live;
}

void ParticleSystem::pushForceField(aForce theForce) {
    assert(numForceFields < MAX_NUM_FORCEFIELDS);
    appendForceField(theForce);
}

bool ParticleSystem::appendForceField(aForce theForce) {
    // Without assertions an eleventh entry would land on the fields after the array.
    if (numForceFields < 0 || numForceFields >= MAX_NUM_FORCEFIELDS) {
        printf("ParticleSystem::pushForceField: no room for force %d\n", numForceFields);
        return false;
    }
    printf("Adding force %d\n", numForceFields);
    myForces[numForceFields] = theForce;
    numForceFields++;
    return true;
}

void ParticleSystem::popForceField() {
    if (numForceFields > 0) numForceFields--;
}

std::string ParticleSystem::getTexture() { return imagePath; }

void ParticleSystem::setTexture(std::string path) {
    imagePath = path;
    myOutline = spriteOutline(nullptr, 0, 0, false);
    if (!myTexture.Init(imagePath.c_str(), 0)) {
        printf("ParticleSystem::setTexture: Error loading TGA file \n");
        return;
    }
    const ImageInfo& image = myTexture.texImageInfo;
    if (image.bpp != 32) return;  // no alpha: every texel shows
    // As if the texture wraps (GL's default, which it keeps): the opposite edges' texels are
    // counted in at the borders, which also covers any clamping mode set later.
    myOutline = spriteOutline(image.imageData, (int)image.width, (int)image.height, true);
}
