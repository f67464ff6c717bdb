// The chest: seven ellipsoids, the last one a slightly tilted spine.
#include "Character_Torso.h"

#include <GL/gl.h>

#include "Ellipsoid.h"

Character_Torso::Character_Torso(float xPoint, float yPoint, float zPoint)
    : LOD(10), paused(false),  // starts unpaused, like every other part
      doDraw(true), imagePath(), myTexture(nullptr), muscleAmount(0.5f),
      myTimer(), position(xPoint, yPoint, zPoint), length(0.25f) {
    myTimer.start(nullptr);
}

void Character_Torso::drawEllipse(float x, float y, float z) {
    if (!doDraw) return;
    drawEllipsoid(x, y, z, LOD);
}

void Character_Torso::draw() {
    static const EllipsoidPlacement blobs[6] = {
        {-0.25f, 0.4f, 0.2f, 0.5f, 0.5f, 0.4f}, {0.25f, 0.4f, 0.2f, 0.5f, 0.5f, 0.4f},
        {0.0f, 0.2f, 0.0f, 0.6f, 0.6f, 0.6f},   {0.0f, 0.5f, -0.1f, 1.0f, 0.6f, 0.6f},
        {-0.7f, 0.7f, -0.1f, 0.4f, 0.4f, 0.4f}, {0.7f, 0.7f, -0.1f, 0.4f, 0.4f, 0.4f},
    };

    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glScalef(length, length, length);
    if (doDraw) drawEllipsoidCluster(blobs, 6, LOD);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -0.4f);
    glRotatef(-8.0f, 1.0f, 0.0f, 0.0f);
    drawEllipse(0.2f, 0.85f, 0.15f);
    glPopMatrix();
    glPopMatrix();
}
