// Test support: where a figure's limb tip lies in the world, measured by the test itself from
// the figure's place and heading rather than read from what the figure last stored.
#ifndef QORVEL_TESTS_SUPPORT_LIMBS_H
#define QORVEL_TESTS_SUPPORT_LIMBS_H

#include "Character.h"

#include <GL/gl.h>

template <class Limb>
QOR3dVector worldTip(Character& c, Limb& limb) {
    glPushMatrix();
    glLoadIdentity();
    const QOR3dVector p = c.getPosition();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(c.getHeading(), 0, 1, 0);
    limb.updateEndpoint();
    glPopMatrix();
    return limb.getEndPoint();
}

// The lower of the two foot tips.
inline QOR3dVector lowestFootTip(Character& c) {
    QOR3dVector left = worldTip(c, *c.myLeftLeg), right = worldTip(c, *c.myRightLeg);
    return left.y < right.y ? left : right;
}

#endif
