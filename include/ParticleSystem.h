// Shared base of fire and fireworks: up to ten thousand particles under one texture, up to
// ten force fields, and the frame step, drawing and pausing that run over the whole set.
#ifndef QORVEL_PARTICLESYSTEM_H
#define QORVEL_PARTICLESYSTEM_H

#include "Drawable.h"
#include "ForceField.h"
#include "Particle.h"
#include "SpriteOutline.h"
#include "Texture.h"

#include <string>

static const int MAX_NUM_PARTICLES = 10000;
static const int MAX_NUM_FORCEFIELDS = 10;

typedef void (ForceField::*aForce)(BallisticBody*);

class ParticleSystem : public Drawable {
public:
    ParticleSystem();
    ~ParticleSystem() override;

    // Too large for the stack (ten thousand pointers): always create with new.
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void draw() override;
    void pause() override;
    bool isPaused() override;
    virtual void update();

    // Appends a force; asserts there is room. Builds without assertions refuse the push.
    void pushForceField(aForce theForce);
    // The bounds-checked append behind pushForceField; false (and nothing stored) when full.
    bool appendForceField(aForce theForce);
    // Removes the most recently pushed force, if any.
    void popForceField();

    std::string getTexture();
    void setTexture(std::string path);

    int getNumParticles() const { return numParticles; }
    int getNumForceFields() const { return numForceFields; }
    aForce getForceField(int i) const { return myForces[i]; }
    // How many of the particles are alive.
    int countLive() const;
    Particle* getParticle(int i) const { return myParticles[i]; }

    // The generator behind every random draw of the effects, so a run can be repeated exactly;
    // null restores rand.
    static void useRandomSource(int (*source)());
    // Where the texture can show, found when it is set.
    const SpriteOutline& getOutline() const { return myOutline; }

protected:
    // One random value in [0, 1): the generator's result divided by 2^31.
    static double randomUnit();
    // A fresh particle with the values every effect starts from before configuring it.
    static Particle* makeParticle();
    // Accumulates each pushed force, first pushed first, into the particle's acceleration.
    void applyForces(Particle* particle);

    bool paused;
    std::string imagePath;
    Texture myTexture;
    SpriteOutline myOutline;
    aForce myForces[MAX_NUM_FORCEFIELDS];
    int numForceFields;
    Particle* myParticles[MAX_NUM_PARTICLES];
    int numParticles;
};

#endif
