// A fire: small viewer-facing sprites jittering upward from a movable source point, turning
// from yellow to red as they fade and reborn there; every ninth slot is long-lived grey smoke.
#ifndef QORVEL_FLAMES_H
#define QORVEL_FLAMES_H

#include "ParticleSystem.h"
#include "QOR3dVector.h"
#include "timer.h"

class Flames : public ParticleSystem {
public:
    Flames(int theNumParticles, QOR3dVector thePosition);
    ~Flames() override;

    void update() override;

    void setPosition(QOR3dVector p);
    QOR3dVector getPosition();
    void setXPosition(float v);
    void setYPosition(float v);
    void setZPosition(float v);
    float getXPosition();
    float getYPosition();
    float getZPosition();
    void setVelocity(QOR3dVector v);
    QOR3dVector getVelocity();
    void setXVelocity(float v);
    void setYVelocity(float v);
    void setZVelocity(float v);
    float getXVelocity();
    float getYVelocity();
    float getZVelocity();
    void setAcceleration(QOR3dVector a);
    QOR3dVector getAcceleration();
    void setXAcceleration(float v);
    void setYAcceleration(float v);
    void setZAcceleration(float v);
    float getXAcceleration();
    float getYAcceleration();
    float getZAcceleration();
    void setSize(float s);
    float getSize();

    static bool isSmokeSlot(int i) { return i % 9 == 0; }

private:
    Particle* newParticle(bool smoke);
    void rebirth(int i);

    QOR3dVector position;
    QOR3dVector velocity;
    QOR3dVector acceleration;
    float size;
    timer myTimer;
};

#endif
