// The one ellipsoid routine every body part draws with: a unit GLU sphere scaled to its semi-axes.
#ifndef QORVEL_ELLIPSOID_H
#define QORVEL_ELLIPSOID_H

// Draws an ellipsoid centred on the current origin with semi-axes (x, y, z) along the current
// axes, with lod slices and lod stacks. Leaves the model-view matrix as it found it.
void drawEllipsoid(float x, float y, float z, int lod);

#endif
