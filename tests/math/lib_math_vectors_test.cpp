#include "lib_math.h"

#include <gtest/gtest.h>

TEST(VectorRoutines, CrossProductOrderAndNormalisation) {
    float x[4] = {1, 0, 0, 0}, y[4] = {0, 1, 0, 0}, v[4] = {9, 9, 9, 7};
    xprod(v, x, y);
    EXPECT_FLOAT_EQ(v[0], 0.0f);
    EXPECT_FLOAT_EQ(v[1], 0.0f);
    EXPECT_FLOAT_EQ(v[2], 1.0f);
    xprod(v, y, x);
    EXPECT_FLOAT_EQ(v[2], -1.0f);
    EXPECT_FLOAT_EQ(v[3], 7.0f);  // fourth element never touched

    float a[4] = {2, 0, 0, 0}, b[4] = {0, 0, 3, 0};
    xprodnorm(v, a, b);
    EXPECT_FLOAT_EQ(v[0], 0.0f);
    EXPECT_FLOAT_EQ(v[1], -1.0f);
    EXPECT_FLOAT_EQ(v[2], 0.0f);
}

TEST(VectorRoutines, NormSizeInitAndCopy) {
    float v[4] = {3, 0, 4, 42};
    norm(v);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_FLOAT_EQ(v[1], 0.0f);
    EXPECT_FLOAT_EQ(v[2], 0.8f);
    EXPECT_FLOAT_EQ(v[3], 42.0f);

    float w[4] = {1, 2, 2, 0};
    EXPECT_FLOAT_EQ(vecsize(w), 3.0f);

    float h[4] = {5, 5, 5, 5};
    vecinit(h);
    EXPECT_EQ(h[0], 0.0f);
    EXPECT_EQ(h[1], 0.0f);
    EXPECT_EQ(h[2], 0.0f);
    EXPECT_EQ(h[3], 1.0f);

    float c[4] = {0, 0, 0, 0};
    veccp(c, w);
    for (int i = 0; i < 4; i++) EXPECT_EQ(c[i], w[i]);
}

TEST(VectorRoutines, SubAndAddMayWriteIntoAnInput) {
    float a[4] = {5, 7, 9, 0}, b[4] = {1, 2, 3, 0};
    vecsub(a, a, b);
    EXPECT_FLOAT_EQ(a[0], 4.0f);
    EXPECT_FLOAT_EQ(a[1], 5.0f);
    EXPECT_FLOAT_EQ(a[2], 6.0f);
    vecadd(b, a, b);
    EXPECT_FLOAT_EQ(b[0], 5.0f);
    EXPECT_FLOAT_EQ(b[1], 7.0f);
    EXPECT_FLOAT_EQ(b[2], 9.0f);
}
