// Free functions over small float arrays: vectors, 4x4 matrices, linear systems, rotations.
// Conventions: matrices are row-major [row][column] and act on column vectors; angles are
// radians; quaternions are ordered w, x, y, z. Outputs must not share storage with inputs
// unless a routine says so.
#ifndef QORVEL_LIB_MATH_H
#define QORVEL_LIB_MATH_H

#include "lib_defs.h"

// --- 3-vectors on float arrays ---
void vecsub(float* ans, float* a, float* b);    // ans = a - b; ans may alias a or b
void vecadd(float* ans, float* a, float* b);    // ans = a + b; ans may alias a or b
float vecsize(float* v);
void veccp(float* a, float* b);                 // a = b, all four components
void vecinit(float* v);                         // homogeneous origin (0, 0, 0, 1)
void xprod(float* v, float* a, float* b);       // v = a x b; v must not alias a or b
void norm(float* v);                            // no zero guard: callers check first
void xprodnorm(float* v, float* a, float* b);

#endif
