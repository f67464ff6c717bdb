// The three force fields; each reads and writes the body only through its accessors.
#include "ForceField.h"

#include <cmath>

void ForceField::forceGravity(BallisticBody* body) {
    const float GRAVITY = 0.981f;
    body->setYAcceleration((float)((double)body->getYAcceleration() - GRAVITY));
}

void ForceField::forceDrag(BallisticBody* body) {
    const float Cd = 0.2f;
    double size = body->getSize();
    double mass = body->getMass();
    double k = size / mass;
    double v[3] = {body->getXVelocity(), body->getYVelocity(), body->getZVelocity()};
    double a[3] = {body->getXAcceleration(), body->getYAcceleration(), body->getZAcceleration()};
    // The whole accumulated acceleration is divided by the mass, not just the drag term.
    for (int i = 0; i < 3; i++) a[i] = (a[i] - v[i] * std::fabs(v[i]) * Cd * size * k) / mass;
    body->setXAcceleration((float)a[0]);
    body->setYAcceleration((float)a[1]);
    body->setZAcceleration((float)a[2]);
}

void ForceField::forceMagnet(BallisticBody* body) {
    const float MAGNET = 0.2f;
    double ax = body->getXAcceleration() + (double)MAGNET * body->getXPosition();
    double ay = body->getYAcceleration() + (double)MAGNET * body->getYPosition();
    double az = body->getZAcceleration() + (double)MAGNET * body->getZPosition();
    body->setXAcceleration((float)ax);
    body->setYAcceleration((float)ay);
    body->setZAcceleration((float)az);
}
