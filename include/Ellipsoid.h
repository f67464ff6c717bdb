// Drawing shared by the body parts: ellipsoids (a unit GLU sphere scaled to its semi-axes),
// clusters of them, and where a limb's frame ends up.
#ifndef QORVEL_ELLIPSOID_H
#define QORVEL_ELLIPSOID_H

#include "QOR3dVector.h"

// A unit sphere of lod slices and stacks, stretched by (x, y, z) about the current origin.
// The model-view matrix is restored afterwards.
void drawEllipsoid(float x, float y, float z, int lod);

// Centre and semi-axes of one ellipsoid of a cluster.
struct EllipsoidPlacement {
    float cx, cy, cz, ax, ay, az;
};

// Each ellipsoid of the cluster about its own centre; the model-view matrix is restored.
void drawEllipsoidCluster(const EllipsoidPlacement* cluster, int count, int lod);

// The current model-view frame's origin in the coordinates the matrix maps to.
QOR3dVector modelViewOrigin();

#endif
