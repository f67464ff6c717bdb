// Ellipsoid drawing shared by every body part.
#include "Ellipsoid.h"

#include <GL/glu.h>

namespace {
// One quadric for all parts, made on first use (a GL context exists by then) and kept for the
// life of the process, so drawing a frame allocates nothing.
GLUquadric* sharedQuadric() {
    static GLUquadric* quadric = nullptr;
    if (quadric == nullptr) {
        quadric = gluNewQuadric();
        gluQuadricTexture(quadric, GL_TRUE);
    }
    return quadric;
}
}  // namespace

void drawEllipsoid(float x, float y, float z, int lod) {
    glPushMatrix();
    glScalef(x, y, z);
    gluSphere(sharedQuadric(), 1.0, lod, lod);
    glPopMatrix();
}
