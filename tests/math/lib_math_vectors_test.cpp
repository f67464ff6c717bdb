// Float-array vector routines: cross order, normalising, init/copy, outputs aliasing inputs.
#include "lib_math.h"
#include "math/matrix_check.h"

TEST(VectorRoutines, CrossNormSizeInitCopyAddSub) {
    float x[4] = {1, 0, 0, 0}, y[4] = {0, 1, 0, 0}, v[4] = {9, 9, 9, 7};
    xprod(v, y, x);
    EXPECT_TRUE(valuesNear(v, {0, 0, -1, 7}, 0));  // y cross x; fourth element never touched
    float a[4] = {2, 0, 0, 0}, b[4] = {0, 0, 3, 0};
    xprodnorm(v, a, b);
    EXPECT_TRUE(valuesNear(v, {0, -1, 0}, 1e-7f));
    float n[4] = {3, 0, 4, 42}, w[4] = {1, 2, 2, 0}, c[4] = {5, 5, 5, 5};
    norm(n);
    EXPECT_TRUE(valuesNear(n, {0.6f, 0, 0.8f, 42}, 1e-6f));
    EXPECT_FLOAT_EQ(vecsize(w), 3);
    vecinit(c);
    EXPECT_TRUE(valuesNear(c, {0, 0, 0, 1}, 0));
    veccp(c, w);
    EXPECT_TRUE(valuesNear(c, {1, 2, 2, 0}, 0));
    float p[4] = {5, 7, 9, 0}, q[4] = {1, 2, 3, 0};
    vecsub(p, p, q);
    EXPECT_TRUE(valuesNear(p, {4, 5, 6}, 0));
    vecadd(q, p, q);
    EXPECT_TRUE(valuesNear(q, {5, 7, 9}, 0));
}
