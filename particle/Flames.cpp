// The fire effect: source point motion, rebirth of dead slots as flame or smoke, per-frame fade.
#include "Flames.h"
#include "ImageFolder.h"
#include "SeedSource.h"

#include <GL/gl.h>

#include <cstdlib>

Flames::Flames(int theNumParticles, QOR3dVector thePosition)
    : position(thePosition), velocity(default3dVector), acceleration(default3dVector), size(1.0f) {
    paused = false;
    myTimer.start(nullptr);
    numForceFields = 0;
    // A negative request means an empty fire rather than a negative count.
    numParticles = theNumParticles < 0 ? 0 : theNumParticles;

    srand(nextSeed());
    setTexture(::imagePath("fire3.tga"));  // the free function, not the member
    if (numParticles > MAX_NUM_PARTICLES) numParticles = MAX_NUM_PARTICLES;

    double unifiedBias = randomUnit() * 0.2;
    for (int i = 0; i < numParticles; i++) {
        Particle* p = newParticle(false);  // the first generation is all flame
        myParticles[i] = p;
        double vx = unifiedBias - randomUnit() * 0.2;
        double vy = randomUnit() * 0.2;
        double vz = unifiedBias - randomUnit() * 0.2;
        p->setVelocity(QOR3dVector((float)vx, (float)vy, (float)vz));
    }
}

Flames::~Flames() {
    for (int i = 0; i < numParticles; i++) delete myParticles[i];
}

// A square at the source. The random draws come in a fixed order (shade, size, lifetime); smoke
// draws a shade too and does not use it.
Particle* Flames::newParticle(bool smoke) {
    double redValue = randomUnit() * 0.2 + 0.8;
    Particle* p = makeParticle();
    p->setType(Particle::PARTICLE_TRIANGLE_STRIP);
    p->setSize((float)(randomUnit() * 0.05 * size));
    if (smoke) {
        p->setLifeTime((float)(randomUnit() * 25.0));
        p->setColor(0.1f, 0.1f, 0.1f, 1.0f);
    } else {
        p->setLifeTime((float)(randomUnit() * 5.0));
        p->setColor((float)redValue, (float)redValue, 0.0f, 1.0f);
    }
    p->setPosition(position);
    return p;
}

void Flames::rebirth(int i) {
    delete myParticles[i];
    myParticles[i] = newParticle(isSmokeSlot(i));
}

void Flames::update() {
    if (isPaused()) return;
    double deltaT = myTimer.lap();
    stepSemiImplicit(position, velocity, acceleration, deltaT);

    glBindTexture(GL_TEXTURE_2D, myTexture.GetID());
    for (int i = 0; i < numParticles; i++) {
        // Half the dead slots come back each frame, so rebirths stay spread out in time.
        if (!myParticles[i]->isAlive() && randomUnit() > 0.5) rebirth(i);
        Particle* p = myParticles[i];

        // Fresh each frame, never accumulated: the particles wander, rising on average.
        double vx = randomUnit() * 0.1 - 0.05;
        double vy = randomUnit() * 0.17 - 0.05;
        double vz = randomUnit() * 0.1 - 0.05;
        p->setVelocity(QOR3dVector((float)vx, (float)vy, (float)vz));
        p->setXAcceleration(0.0f);
        p->setYAcceleration(0.0f);
        p->setZAcceleration(0.0f);

        // Per frame, not per second: flames redden while fading, smoke lingers.
        QORColor c = p->getColor();
        if (isSmokeSlot(i))
            p->setColor(c.r, c.g, c.b, (float)(c.alpha * 0.995));
        else
            p->setColor(c.r, (float)(c.g * 0.95), c.b, (float)(c.alpha * 0.95));

        applyForces(p);
        p->update();
    }
}

void Flames::setPosition(QOR3dVector p) { position = p; }
QOR3dVector Flames::getPosition() { return position; }
void Flames::setXPosition(float v) { position.x = v; }
void Flames::setYPosition(float v) { position.y = v; }
void Flames::setZPosition(float v) { position.z = v; }
float Flames::getXPosition() { return position.x; }
float Flames::getYPosition() { return position.y; }
float Flames::getZPosition() { return position.z; }
void Flames::setVelocity(QOR3dVector v) { velocity = v; }
QOR3dVector Flames::getVelocity() { return velocity; }
void Flames::setXVelocity(float v) { velocity.x = v; }
void Flames::setYVelocity(float v) { velocity.y = v; }
void Flames::setZVelocity(float v) { velocity.z = v; }
float Flames::getXVelocity() { return velocity.x; }
float Flames::getYVelocity() { return velocity.y; }
float Flames::getZVelocity() { return velocity.z; }
void Flames::setAcceleration(QOR3dVector a) { acceleration = a; }
QOR3dVector Flames::getAcceleration() { return acceleration; }
void Flames::setXAcceleration(float v) { acceleration.x = v; }
void Flames::setYAcceleration(float v) { acceleration.y = v; }
void Flames::setZAcceleration(float v) { acceleration.z = v; }
float Flames::getXAcceleration() { return acceleration.x; }
float Flames::getYAcceleration() { return acceleration.y; }
float Flames::getZAcceleration() { return acceleration.z; }
void Flames::setSize(float s) { size = s; }
float Flames::getSize() { return size; }
