// A lit solid sphere about the origin, drawn with GL's vertex arrays, for contexts that have no
// window toolkit behind them. The same vertices, normals and strips as the window toolkit's
// own solid sphere, so a picture does not change with the context it is drawn in.
#ifndef QORVEL_SOLIDSPHERE_H
#define QORVEL_SOLIDSPHERE_H

// `slices` around the z axis (at least 1), `stacks` from +z to -z (at least 2).
void drawSolidSphere(double radius, int slices, int stacks);

#endif
