// Stateless forces that add to a body's acceleration: gravity, quadratic drag and a
// push away from the origin growing with distance.
#ifndef QORVEL_FORCEFIELD_H
#define QORVEL_FORCEFIELD_H

#include "BallisticBody.h"

class ForceField {
public:
    ForceField() {}
    ~ForceField() {}

    void forceGravity(BallisticBody* body);
    void forceDrag(BallisticBody* body);
    void forceMagnet(BallisticBody* body);
};

#endif
