// Test support: QOR3dVector comparisons that report each component on its own.
#ifndef QORVEL_TESTS_SUPPORT_VECTORS_H
#define QORVEL_TESTS_SUPPORT_VECTORS_H

#include "QOR3dVector.h"

#include <gtest/gtest.h>

#define EXPECT_VEC_NEAR(actual, ex, ey, ez, tol) \
    do {                                           \
        QOR3dVector v_ = (actual);                 \
        EXPECT_NEAR(v_.x, (ex), (tol));            \
        EXPECT_NEAR(v_.y, (ey), (tol));            \
        EXPECT_NEAR(v_.z, (ez), (tol));            \
    } while (0)
#define EXPECT_VEC_EQ(actual, expected, tol) \
    EXPECT_VEC_NEAR(actual, (expected).x, (expected).y, (expected).z, tol)

#endif
