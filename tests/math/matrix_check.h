// Float-array comparisons for the math tests; a failure names the first element off.
#ifndef QORVEL_TESTS_MATRIX_CHECK_H
#define QORVEL_TESTS_MATRIX_CHECK_H

#include "QOR3dVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

// The first n elements of got within tol of want.
inline testing::AssertionResult arraysNear(const float* got, const float* want, int n, float tol) {
    for (int i = 0; i < n; i++)
        if (!(std::fabs(got[i] - want[i]) <= tol))
            return testing::AssertionFailure() << "element " << i << ": " << got[i] << ", not "
                                               << want[i] << " within " << tol;
    return testing::AssertionSuccess();
}
inline testing::AssertionResult matricesNear(const float a[4][4], const float b[4][4], float tol) {
    return arraysNear(a[0], b[0], 16, tol);
}
inline testing::AssertionResult valuesNear(const float* v, std::initializer_list<float> want,
                                           float tol) {
    return arraysNear(v, want.begin(), (int)want.size(), tol);
}
inline testing::AssertionResult vectorNear(QOR3dVector p, float x, float y, float z, float tol) {
    const float v[3] = {p.x, p.y, p.z};
    return valuesNear(v, {x, y, z}, tol);
}

#endif
