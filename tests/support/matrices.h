// Test support: float-array and 4x4 matrix comparisons with a stated tolerance; a failure shows
// every element of both, and which ones are off.
#ifndef QORVEL_TESTS_SUPPORT_MATRICES_H
#define QORVEL_TESTS_SUPPORT_MATRICES_H

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

// The first n elements of got within tol of want.
inline testing::AssertionResult arraysNear(const float* got, const float* want, int n, float tol) {
    bool near = true;
    for (int i = 0; i < n; i++) near = near && std::fabs(got[i] - want[i]) <= tol;
    if (near) return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "not within " << tol << " (element: got, want):";
    for (int i = 0; i < n; i++)
        failure << (i % 4 ? "  " : "\n  ") << i << ": " << got[i] << ", " << want[i]
                << (std::fabs(got[i] - want[i]) <= tol ? "" : " <-");
    return failure;
}
inline testing::AssertionResult matricesNear(const float a[4][4], const float b[4][4], float tol) {
    return arraysNear(a[0], b[0], 16, tol);
}
inline testing::AssertionResult valuesNear(const float* v, std::initializer_list<float> want,
                                           float tol) {
    return arraysNear(v, want.begin(), (int)want.size(), tol);
}

#endif
