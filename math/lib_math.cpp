// Float-array vector, matrix, linear-algebra and rotation routines.
#include "lib_math.h"

#include <cmath>

void vecsub(float* ans, float* a, float* b) {
    ans[0] = a[0] - b[0];
    ans[1] = a[1] - b[1];
    ans[2] = a[2] - b[2];
}

void vecadd(float* ans, float* a, float* b) {
    ans[0] = a[0] + b[0];
    ans[1] = a[1] + b[1];
    ans[2] = a[2] + b[2];
}

float vecsize(float* v) {
    float sum = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    return (float)std::sqrt((double)sum);
}

void veccp(float* a, float* b) {
    for (int i = 0; i < 4; i++) a[i] = b[i];
}

void vecinit(float* v) {
    v[0] = 0.0f;
    v[1] = 0.0f;
    v[2] = 0.0f;
    v[3] = 1.0f;
}

void xprod(float* v, float* a, float* b) {
    v[0] = a[1] * b[2] - b[1] * a[2];
    v[1] = -a[0] * b[2] + b[0] * a[2];
    v[2] = a[0] * b[1] - b[0] * a[1];
}

void norm(float* v) {
    float s = (float)(1.0 / std::sqrt((double)(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
    v[0] *= s;
    v[1] *= s;
    v[2] *= s;
}

void xprodnorm(float* v, float* a, float* b) {
    xprod(v, a, b);
    norm(v);
}
