// The one ellipsoid routine every body part draws with: a unit GLU sphere scaled to its semi-axes.
#ifndef QORVEL_ELLIPSOID_H
#define QORVEL_ELLIPSOID_H

// A unit sphere of lod slices and stacks, stretched by (x, y, z) about the current origin.
// The model-view matrix is restored afterwards.
void drawEllipsoid(float x, float y, float z, int lod);

#endif
