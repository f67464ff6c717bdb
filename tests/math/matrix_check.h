// Test helpers for 4x4 float matrices: an element-wise comparison that prints both matrices.
#ifndef QORVEL_TESTS_MATRIX_CHECK_H
#define QORVEL_TESTS_MATRIX_CHECK_H

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

inline std::string matrixText(const float m[4][4]) {
    std::string s;
    char buf[40];
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 4; c++) {
            snprintf(buf, sizeof buf, " %13.7g", m[r][c]);
            s += buf;
        }
        s += "\n";
    }
    return s;
}

// All sixteen elements within tol; on failure both matrices are shown in full.
inline testing::AssertionResult matricesNear(const float a[4][4], const float b[4][4], float tol) {
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++)
            if (!(std::fabs(a[r][c] - b[r][c]) <= tol))
                return testing::AssertionFailure()
                       << "element [" << r << "][" << c << "] differs by more than " << tol
                       << "\nfirst:\n" << matrixText(a) << "second:\n" << matrixText(b);
    return testing::AssertionSuccess();
}

#endif
