// Interface of a body that moves by its own time step; force fields act through it.
#ifndef QORVEL_BALLISTICBODY_H
#define QORVEL_BALLISTICBODY_H

#include "QOR3dVector.h"

// One semi-implicit Euler step: the velocity first, then the position with the new velocity.
// Products are formed in double and stored as float.
inline void stepSemiImplicit(QOR3dVector& position, QOR3dVector& velocity,
                             const QOR3dVector& acceleration, double dt) {
    velocity.x = (float)(velocity.x + acceleration.x * dt);
    velocity.y = (float)(velocity.y + acceleration.y * dt);
    velocity.z = (float)(velocity.z + acceleration.z * dt);
    position.x = (float)(position.x + velocity.x * dt);
    position.y = (float)(position.y + velocity.y * dt);
    position.z = (float)(position.z + velocity.z * dt);
}

class BallisticBody {
public:
    virtual ~BallisticBody() {}
    virtual void update() = 0;
    virtual void setPosition(QOR3dVector p) = 0;
    virtual void setVelocity(QOR3dVector v) = 0;
    virtual void setAcceleration(QOR3dVector a) = 0;
    virtual void setXPosition(float v) = 0;
    virtual void setYPosition(float v) = 0;
    virtual void setZPosition(float v) = 0;
    virtual void setXVelocity(float v) = 0;
    virtual void setYVelocity(float v) = 0;
    virtual void setZVelocity(float v) = 0;
    virtual void setXAcceleration(float v) = 0;
    virtual void setYAcceleration(float v) = 0;
    virtual void setZAcceleration(float v) = 0;
    virtual void setSize(float s) = 0;
    virtual void setMass(float m) = 0;
    virtual float getXPosition() = 0;
    virtual float getYPosition() = 0;
    virtual float getZPosition() = 0;
    virtual float getXVelocity() = 0;
    virtual float getYVelocity() = 0;
    virtual float getZVelocity() = 0;
    virtual float getXAcceleration() = 0;
    virtual float getYAcceleration() = 0;
    virtual float getZAcceleration() = 0;
    virtual float getSize() = 0;
    virtual float getMass() = 0;
};

#endif
