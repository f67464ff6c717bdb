// Test helpers for float arrays: element-wise comparisons that print every value on failure.
#ifndef QORVEL_TESTS_MATRIX_CHECK_H
#define QORVEL_TESTS_MATRIX_CHECK_H

#include "QOR3dVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

inline std::string valuesText(const float* v, int n) {
    std::string s;
    char buf[40];
    for (int i = 0; i < n; i++) {
        snprintf(buf, sizeof buf, " %13.7g%s", v[i], (i % 4 == 3 && n == 16) ? "\n" : "");
        s += buf;
    }
    return s;
}

// All sixteen elements within tol; on failure both matrices are shown in full.
inline testing::AssertionResult matricesNear(const float a[4][4], const float b[4][4], float tol) {
    for (int i = 0; i < 16; i++)
        if (!(std::fabs(a[i / 4][i % 4] - b[i / 4][i % 4]) <= tol))
            return testing::AssertionFailure()
                   << "element [" << i / 4 << "][" << i % 4 << "] differs by more than " << tol
                   << "\nfirst:\n" << valuesText(a[0], 16) << "second:\n" << valuesText(b[0], 16);
    return testing::AssertionSuccess();
}

// The leading elements of v within tol of the listed values.
inline testing::AssertionResult valuesNear(const float* v, std::initializer_list<float> want,
                                           float tol) {
    int i = 0;
    for (float w : want) {
        if (!(std::fabs(v[i] - w) <= tol))
            return testing::AssertionFailure() << "element " << i << " is not within " << tol
                                               << " of " << w << ":" << valuesText(v, (int)want.size());
        i++;
    }
    return testing::AssertionSuccess();
}
inline testing::AssertionResult vectorNear(QOR3dVector p, float x, float y, float z, float tol) {
    const float v[3] = {p.x, p.y, p.z};
    return valuesNear(v, {x, y, z}, tol);
}

#endif
