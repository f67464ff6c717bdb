// The matrix library: solving, inverses, rotations in every representation, file and vector
// helpers (the terrain normals run the rest of the vector routines).
#include "lib_math.h"
#include "math/matrix_check.h"
#include "support/fakes.h"

#include <random>

namespace {
const float PI_F = 3.14159265f;
std::mt19937 gen(20261207);
float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(gen); }
}  // namespace

TEST(LinearSolve, RandomSystemsSatisfyTheirEquationsAndInversesAgree) {
    for (int n = 2; n <= 4; n++)
        for (int trial = 0; trial < 200; trial++) {
            // Diagonally dominant (nonzero leading minors); outside the n x n block, 99.
            float a[4][4], lu[4][4], inv[4][4], b[4], rhs[4], x[4], ax[4], invb[4];
            for (int i = 0; i < 16; i++)
                a[i / 4][i % 4] = (i / 4 < n && i % 4 < n) ? uniform(-1, 1) : 99;
            for (int r = 0; r < n; r++) a[r][r] += (trial % 2 ? -1.0f : 1.0f) * (float)(n + 1);
            tm_copy(lu, a);
            tm_copy(inv, a);
            for (int i = 0; i < n; i++) rhs[i] = b[i] = uniform(-10, 10);
            ASSERT_EQ(lin_eq_solv(lu, b, x, n), 1);
            mvmult(ax, a, x, n);
            n == 4 ? tm_matinv(inv) : matinv(inv, n);
            mvmult(invb, inv, rhs, n);  // the inverse solves the same system
            EXPECT_TRUE(arraysNear(ax, rhs, n, 1e-4f) && arraysNear(invb, x, n, 1e-4f));
            EXPECT_TRUE(n == 4 || inv[3][0] == 99.0f);  // only the leading block changes
        }
    // A zero pivot is swapped away; sizes beyond the 4x4 storage are refused untouched.
    float a[4][4] = {{0, 1}, {1, 0}}, b[4] = {2, 3}, x[4], y[4] = {7, 7, 7, 7};
    quietly([&] { EXPECT_EQ(lin_eq_solv(a, b, y, 5) + lin_eq_solv(a, b, y, 0), 0); });
    ASSERT_EQ(lin_eq_solv(a, b, x, 2), 1);
    EXPECT_TRUE(valuesNear(x, {3, 2}, 1e-6f) && y[0] == 7.0f);
}

TEST(LinearSolveDeathTest, ZeroRowEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    float a[4][4] = {{1, 2, 3}, {0, 0, 0}, {4, 5, 6}}, b[4] = {1, 1, 1}, x[4];
    EXPECT_EXIT(lin_eq_solv(a, b, x, 3), testing::ExitedWithCode(255),
                "nrerror: Singular matrix in routine LUDCMP\n");
}

TEST(Rotations, EveryRepresentationAgreesRoundTripsAndIsRightHanded) {
    float m[4][4], r2[4][4], back[4][4], id[4][4], out[4], rpy[3], q[4], qb[4], kb[3], thb;
    float col[3][3], z[3] = {0, 0, 1}, cross[3];
    idenmat(id);
    // Quarter turns: z takes x to y, x takes y to z, y takes z to x.
    float from[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
    for (int a = 0; a < 3; a++) {
        rotmat("zxy"[a], PI_F / 2, m);
        tmmult(out, m, from[a]);
        EXPECT_TRUE(arraysNear(out, from[(a + 1) % 3], 4, 1e-6f)) << "zxy"[a];
    }
    float known[3] = {0.1f, 0.2f, 0.3f};  // roll first: the x axis sees only pitch and yaw
    rpy2mat(known, m);
    mat2rpy(m, rpy);
    EXPECT_NEAR(m[2][0], -std::sin(0.2f), 1e-6f);
    EXPECT_TRUE(valuesNear(rpy, {0.1f - PI_F, PI_F - 0.2f, 0.3f + PI_F}, 1e-5f));
    for (int trial = 0; trial < 1000; trial++) {
        float in[3] = {uniform(-PI_F, PI_F), uniform(-PI_F, PI_F) / 2, uniform(-PI_F, PI_F)};
        float k[3] = {uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)}, th = uniform(1e-3f, 3.0f);
        rpy2mat(in, m);
        for (int c = 0; c < 3; c++) getcol(col[c], m, c);
        xprod(cross, col[0], col[1]);  // a right-handed frame: x cross y is z
        EXPECT_TRUE(arraysNear(cross, col[2], 3, 2e-6f));
        for (int i = 0; i < 3; i++) m[i][3] = uniform(-50, 50);  // a rigid motion
        tminv(r2, m);
        tmmmult(back, r2, m);
        EXPECT_TRUE(matricesNear(back, id, 2e-5f));
        mat2rpy(m, rpy);
        rpy2mat(rpy, back);
        for (int i = 0; i < 3; i++) back[i][3] = m[i][3];
        ASSERT_TRUE(matricesNear(back, m, 5e-6f)) << in[0] << " " << in[1] << " " << in[2];
        rotkth(m, z, in[2]);  // about an axis: as the axis rotation
        rotmat('z', in[2], r2);
        EXPECT_TRUE(matricesNear(m, r2, 1e-6f)) << in[2];
        // A unit quaternion is a turn by th about k, and both invert.
        float len = std::sqrt(k[0] * k[0] + k[1] * k[1] + k[2] * k[2]);
        q[0] = std::cos(th / 2);
        for (int i = 0; i < 3; i++) q[i + 1] = (k[i] /= len) * std::sin(th / 2);
        rot_mat2(q, m);
        rotkth(r2, k, th);
        EXPECT_TRUE(matricesNear(m, r2, 2e-6f)) << th;
        mat2q(qb, m);
        rotkthi(kb, &thb, m);
        EXPECT_TRUE(arraysNear(qb, q, 4, 1e-4f)) << th;
        EXPECT_TRUE(std::fabs(thb - th) < 2e-4f && arraysNear(kb, k, 3, 2e-4f)) << th;
    }
}

TEST(MatrixHelpers, QuadraticRootsFileRoundTripVectorSizeAndCopy) {
    float x1, x2, r[4][4], back[4][4], w[4] = {1, 2, 2, 0}, c[4];
    solv_quad(-2, 2, 4, &x1, &x2);  // a < 0: the +sqrt root is the smaller one
    EXPECT_TRUE(x1 == -1 && x2 == 2) << x1 << " " << x2;
    for (int i = 0; i < 16; i++) r[i / 4][i % 4] = uniform(-99, 99);
    FILE* f = tmpfile();
    ASSERT_NE(f, nullptr);
    prtmf(f, r);
    rewind(f);
    rdtmf(f, back);
    fclose(f);
    EXPECT_TRUE(matricesNear(back, r, 0.0005f));  // three decimals kept
    veccp(c, w);
    EXPECT_TRUE(valuesNear(c, {1, 2, 2, 0}, 0) && vecsize(w) == 3);
}
