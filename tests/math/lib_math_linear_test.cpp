// Tests of the linear-algebra routines: LU solving, inverses, quadratic and matrix files.
#include "lib_math.h"
#include "math/matrix_check.h"
#include "support/fakes.h"

#include <random>

namespace {
// Diagonally dominant (well conditioned, nonzero leading minors); the rest is filled with 99.
void randomSystem(std::mt19937& gen, int n, float a[4][4]) {
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (int i = 0; i < 16; i++) a[i / 4][i % 4] = (i / 4 < n && i % 4 < n) ? u(gen) : 99.0f;
    for (int r = 0; r < n; r++) a[r][r] += (u(gen) < 0 ? -1.0f : 1.0f) * (float)(n + 1);
}
}  // namespace

TEST(LinearSolve, RandomSystemsSatisfyTheirEquationsAndInversesAgree) {
    std::mt19937 gen(20261207);
    std::uniform_real_distribution<float> u(-10.0f, 10.0f);
    for (int n = 2; n <= 4; n++)
        for (int trial = 0; trial < 200; trial++) {
            float a[4][4], lu[4][4], inv[4][4], b[4], rhs[4], x[4], ax[4];
            randomSystem(gen, n, a);
            tm_copy(lu, a);
            tm_copy(inv, a);
            for (int i = 0; i < n; i++) rhs[i] = b[i] = u(gen);
            ASSERT_EQ(lin_eq_solv(lu, b, x, n), 1);
            mvmult(ax, a, x, n);
            if (n == 4) tm_matinv(inv); else matinv(inv, n);
            for (int r = 0; r < n; r++) {
                EXPECT_NEAR(ax[r], rhs[r], 1e-4f) << "n=" << n;
                float invb = 0;  // the inverse solves the same system
                for (int k = 0; k < n; k++) invb += inv[r][k] * rhs[k];
                EXPECT_NEAR(invb, x[r], 1e-4f) << "n=" << n;
            }
            EXPECT_TRUE(n == 4 || inv[3][0] == 99.0f);  // only the leading block changes
        }
}

TEST(LinearSolve, PivotingRefusalsAndZeroPivots) {
    float a[4][4] = {{0, 1}, {1, 0}}, b[4] = {2, 3}, x[4], d = 0;
    int indx[4];
    ASSERT_EQ(lin_eq_solv(a, b, x, 2), 1);
    EXPECT_TRUE(valuesNear(x, {3, 2}, 1e-6f));
    float s[4][4] = {{0, 1}, {1, 0}}, t[4][4] = {{1, 0}, {1, 1}};
    for (auto* m : {s, t}) {  // a zero pivot, and equal scaled candidates: the later row wins
        ludcmp(m, 2, indx, &d);
        EXPECT_TRUE(indx[0] == 1 && d == -1.0f);
    }
    // Sizes beyond the 4x4 storage are refused before anything is touched.
    float y[4] = {7, 7, 7, 7};
    quietly([&] { EXPECT_EQ(lin_eq_solv(s, b, y, 5) + lin_eq_solv(s, b, y, 0), 0); });
    EXPECT_EQ(y[0], 7.0f);
    // The plain inverse does not pivot: a zero on the diagonal is refused, the matrix untouched.
    float swap[4][4] = {{0, 1}, {1, 0}}, diag[4][4] = {{2, 0}, {0, 4}};
    quietly([&] { matinv(swap, 2); });
    EXPECT_EQ(swap[0][1], 1.0f);
    matinv(diag, 2);
    EXPECT_TRUE(valuesNear(diag[0], {0.5f, 0, 0, 0, 0, 0.25f}, 0.0f));
}

TEST(LinearSolveDeathTest, ZeroRowEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    float a[4][4] = {{1, 2, 3}, {0, 0, 0}, {4, 5, 6}}, b[4] = {1, 1, 1}, x[4];
    EXPECT_EXIT(lin_eq_solv(a, b, x, 3), testing::ExitedWithCode(255),
                "nrerror: Singular matrix in routine LUDCMP\n");
}

TEST(MatrixInverse, RigidInverseTimesMatrixIsIdentity) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<float> ang(-3.1f, 3.1f), pos(-50.0f, 50.0f);
    float id[4][4], m[4][4], mi[4][4], prod[4][4];
    idenmat(id);
    for (int trial = 0; trial < 200; trial++) {
        float rpy[3] = {ang(gen), ang(gen), ang(gen)};
        rpy2mat(rpy, m);
        for (int i = 0; i < 3; i++) m[i][3] = pos(gen);
        tminv(mi, m);
        tmmmult(prod, mi, m);
        EXPECT_TRUE(matricesNear(prod, id, 2e-5f));
    }
    float v[4] = {1, 2, 3, 0}, p[4] = {10, 20, 30, 1}, q[4];
    idenmat(m);
    putcol(v, m, 3);
    tminv(mi, m);
    tmmult(q, mi, p);
    EXPECT_TRUE(valuesNear(q, {9, 18, 27, 1}, 1e-6f));
}

TEST(Quadratic, RootsOrderNoRealRootsAndMatrixFileRoundTrip) {
    float x1, x2;
    const float cases[][5] = {{1, -3, 2, 2, 1}, {-2, 2, 4, -1, 2}};  // a < 0: +sqrt root first
    for (const auto& c : cases) {
        solv_quad(c[0], c[1], c[2], &x1, &x2);
        EXPECT_TRUE(x1 == c[3] && x2 == c[4]) << x1 << " " << x2;
    }
    quietly([&] { solv_quad(1, 0, 1, &x1, &x2); });  // negative discriminant
    EXPECT_TRUE(std::isnan(x1) && std::isnan(x2));

    float r[4][4], back[4][4];  // the text format keeps three decimals
    for (int i = 0; i < 16; i++) r[i / 4][i % 4] = (float)(i * 12.3456 - 97.5);
    FILE* f = tmpfile();
    ASSERT_NE(f, nullptr);
    prtmf(f, r);
    rewind(f);
    rdtmf(f, back);
    EXPECT_TRUE(matricesNear(back, r, 0.0005f));
    fclose(f);
}
