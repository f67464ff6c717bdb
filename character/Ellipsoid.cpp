// Ellipsoid drawing shared by every body part.
#include "Ellipsoid.h"

#include <GL/glu.h>

#include <map>

namespace {
// One quadric for all parts, made on first use (a GL context exists by then) and kept for the
// life of the process.
GLUquadric* sharedQuadric() {
    static GLUquadric* quadric = nullptr;
    if (quadric == nullptr) {
        quadric = gluNewQuadric();
        gluQuadricTexture(quadric, GL_TRUE);
    }
    return quadric;
}

// The unit sphere of each level of detail is tessellated once into a display list: the same
// triangles every frame without recomputing them. Lists belong to the process's one context.
GLuint unitSphereList(int lod) {
    static std::map<int, GLuint> lists;
    auto found = lists.find(lod);
    if (found != lists.end()) return found->second;
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    gluSphere(sharedQuadric(), 1.0, lod, lod);
    glEndList();
    lists[lod] = list;
    return list;
}
}  // namespace

void drawEllipsoid(float x, float y, float z, int lod) {
    glPushMatrix();
    glScalef(x, y, z);
    glCallList(unitSphereList(lod));
    glPopMatrix();
}

void drawEllipsoidCluster(const EllipsoidPlacement* cluster, int count, int lod) {
    for (int i = 0; i < count; i++) {
        const EllipsoidPlacement& e = cluster[i];
        glPushMatrix();
        glTranslatef(e.cx, e.cy, e.cz);
        drawEllipsoid(e.ax, e.ay, e.az, lod);
        glPopMatrix();
    }
}

QOR3dVector modelViewOrigin() {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float w = m[15];  // back from homogeneous coordinates
    return QOR3dVector(m[12] / w, m[13] / w, m[14] / w);
}
