// Array types shared by the float-array math routines, and the degree-to-radian factor.
#ifndef QORVEL_LIB_DEFS_H
#define QORVEL_LIB_DEFS_H

typedef float FVEC[4];
typedef float Matrix[4][4];
typedef float MAT[4][4];

// Deliberately a hair above pi/180; callers that convert angles state their own factor.
static const float DEG_RAD = 0.0174533333f;

#endif
