// The hip block: six ellipsoids around the body origin.
#include "Character_Trunk.h"

#include <GL/gl.h>

#include "Ellipsoid.h"

Character_Trunk::Character_Trunk(float xPoint, float yPoint, float zPoint)
    : doDraw(true), paused(false), LOD(20), imagePath(), myTexture(nullptr),
      muscle(0.5f),  // same starting amount as the other parts
      myTimer(), goalPos(0.0f, 0.0f, 0.0f), position(xPoint, yPoint, zPoint), length(0.22f) {}

void Character_Trunk::drawEllipse(float x, float y, float z) {
    if (!doDraw) return;
    drawEllipsoid(x, y, z, LOD);
}

void Character_Trunk::draw() {
    static const EllipsoidPlacement blobs[6] = {
        {-0.25f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f},     {-0.25f, -0.1f, -0.2f, 0.45f, 0.55f, 0.45f},
        {0.25f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f},      {0.25f, -0.1f, -0.2f, 0.45f, 0.55f, 0.45f},
        {0.0f, 0.75f, 0.0f, 0.5f, 1.0f, 0.5f},      {0.0f, 0.45f, 0.2f, 0.4f, 0.9f, 0.35f},
    };

    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glScalef(length, length, length);
    if (doDraw) drawEllipsoidCluster(blobs, 6, LOD);
    glPopMatrix();
}
