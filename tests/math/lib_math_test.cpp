// The matrix library: solving, inverses, rotations in every representation, file and vector
// helpers (the terrain normals run the rest of the vector routines).
#include "lib_math.h"
#include "support/fakes.h"
#include "support/matrices.h"

#include <random>

namespace {
const float PI_F = 3.14159265f;
std::mt19937 gen(20261207);
float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(gen); }

// A random n x n system with nonzero leading minors (diagonally dominant); outside the n x n
// block every entry is 99, so a routine that strays there shows.
struct System {
    int n;
    float a[4][4], b[4];
};
System randomSystem(int n, bool negativeDiagonal) {
    System s{n, {}, {}};
    for (int i = 0; i < 16; i++)
        s.a[i / 4][i % 4] = (i / 4 < n && i % 4 < n) ? uniform(-1, 1) : 99;
    for (int r = 0; r < n; r++) s.a[r][r] += (negativeDiagonal ? -1.0f : 1.0f) * (float)(n + 1);
    for (int i = 0; i < n; i++) s.b[i] = uniform(-10, 10);
    return s;
}

// A random unit axis and an angle strictly between 0 and pi.
struct Turn {
    float k[3], th;
};
Turn randomTurn() {
    Turn t{{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)}, uniform(1e-3f, 3.0f)};
    float len = std::sqrt(t.k[0] * t.k[0] + t.k[1] * t.k[1] + t.k[2] * t.k[2]);
    for (float& c : t.k) c /= len;
    return t;
}

// A random rigid motion: a roll-pitch-yaw rotation (pitch within a quarter turn) and a shift.
void randomRigid(float m[4][4], float rpy[3]) {
    rpy[0] = uniform(-PI_F, PI_F), rpy[1] = uniform(-PI_F, PI_F) / 2, rpy[2] = uniform(-PI_F, PI_F);
    rpy2mat(rpy, m);
    for (int i = 0; i < 3; i++) m[i][3] = uniform(-50, 50);
}
}  // namespace

TEST(LinearSolve, SolutionsSatisfyTheirSystems) {
    for (int n = 1; n <= 4; n++)
        for (int trial = 0; trial < 200; trial++) {
            System s = randomSystem(n, trial % 2);
            float lu[4][4], rhs[4], x[4], ax[4];
            tm_copy(lu, s.a);
            for (int i = 0; i < n; i++) rhs[i] = s.b[i];
            ASSERT_EQ(lin_eq_solv(lu, rhs, x, n), 1);
            mvmult(ax, s.a, x, n);
            ASSERT_TRUE(arraysNear(ax, s.b, n, 1e-4f)) << n << " unknowns, trial " << trial;
        }
}

TEST(LinearSolve, AZeroPivotIsSwappedAway) {
    float a[4][4] = {{0, 1}, {1, 0}}, b[4] = {2, 3}, x[4];
    ASSERT_EQ(lin_eq_solv(a, b, x, 2), 1);
    EXPECT_TRUE(valuesNear(x, {3, 2}, 1e-6f));
}

TEST(LinearSolve, SizesOutsideOneToFourAreRefusedUntouched) {
    float a[4][4] = {{1, 0}, {0, 1}}, b[4] = {2, 3}, x[4] = {7, 7, 7, 7};
    for (int n : {0, 5}) {
        quietly([&] { EXPECT_EQ(lin_eq_solv(a, b, x, n), 0) << n; });
        EXPECT_TRUE(valuesNear(x, {7, 7, 7, 7}, 0)) << n;
    }
}

TEST(LinearSolveDeathTest, ZeroRowEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    float a[4][4] = {{1, 2, 3}, {0, 0, 0}, {4, 5, 6}}, b[4] = {1, 1, 1}, x[4];
    EXPECT_EXIT(lin_eq_solv(a, b, x, 3), testing::ExitedWithCode(255),
                "nrerror: Singular matrix in routine LUDCMP\n");
}

TEST(Inverse, TimesTheMatrixGivesTheIdentityInTheLeadingBlockOnly) {
    float id[4][4];
    idenmat(id);
    for (int n = 2; n <= 4; n++)
        for (int trial = 0; trial < 50; trial++) {
            System s = randomSystem(n, trial % 2);
            float inv[4][4], product[4][4];
            tm_copy(inv, s.a);
            n == 4 ? tm_matinv(inv) : matinv(inv, n);
            matmult(product, inv, s.a, n);
            for (int r = 0; r < n; r++)
                ASSERT_TRUE(arraysNear(product[r], id[r], n, 1e-4f)) << n << " row " << r;
            if (n < 4) {
                ASSERT_EQ(inv[3][0], 99.0f) << n;
            }
        }
}

TEST(Inverse, RigidInverseUndoesTheMotion) {
    float m[4][4], inv[4][4], back[4][4], id[4][4], rpy[3];
    idenmat(id);
    for (int trial = 0; trial < 200; trial++) {
        randomRigid(m, rpy);
        tminv(inv, m);
        tmmmult(back, inv, m);
        ASSERT_TRUE(matricesNear(back, id, 2e-5f)) << "trial " << trial;
    }
}

TEST(Rotations, QuarterTurnsFollowTheRightHandRule) {
    // z takes x to y, x takes y to z, y takes z to x.
    const float axes[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
    for (int a = 0; a < 3; a++) {
        float m[4][4], out[4];
        rotmat("zxy"[a], PI_F / 2, m);
        tmmult(out, m, (float*)axes[a]);
        EXPECT_TRUE(arraysNear(out, axes[(a + 1) % 3], 4, 1e-6f)) << "about " << "zxy"[a];
    }
}

TEST(Rotations, RollPitchYawFramesAreRightHanded) {
    for (int trial = 0; trial < 200; trial++) {
        float m[4][4], rpy[3], col[3][3], cross[3];
        randomRigid(m, rpy);
        for (int c = 0; c < 3; c++) getcol(col[c], m, c);
        xprod(cross, col[0], col[1]);
        ASSERT_TRUE(arraysNear(cross, col[2], 3, 2e-6f)) << "trial " << trial;
    }
}

TEST(Rotations, RollIsAppliedFirst) {
    float m[4][4], known[3] = {0.1f, 0.2f, 0.3f};
    rpy2mat(known, m);
    EXPECT_NEAR(m[2][0], -std::sin(0.2f), 1e-6f);  // the x axis sees only pitch and yaw
}

TEST(Rotations, RollPitchYawReadBackGivesTheSameMatrix) {
    float m[4][4], back[4][4], rpy[3], in[3], known[3] = {0.1f, 0.2f, 0.3f};
    rpy2mat(known, m);
    mat2rpy(m, rpy);  // the equivalent triple a half turn away on every axis
    EXPECT_TRUE(valuesNear(rpy, {0.1f - PI_F, PI_F - 0.2f, 0.3f + PI_F}, 1e-5f));
    for (int trial = 0; trial < 500; trial++) {
        randomRigid(m, in);
        mat2rpy(m, rpy);
        rpy2mat(rpy, back);
        for (int i = 0; i < 3; i++) back[i][3] = m[i][3];
        ASSERT_TRUE(matricesNear(back, m, 5e-6f)) << in[0] << " " << in[1] << " " << in[2];
    }
}

TEST(Rotations, AxisAngleAboutZIsTheZRotation) {
    float z[3] = {0, 0, 1};
    for (int trial = 0; trial < 100; trial++) {
        float th = uniform(-PI_F, PI_F), m[4][4], r[4][4];
        rotkth(m, z, th);
        rotmat('z', th, r);
        ASSERT_TRUE(matricesNear(m, r, 1e-6f)) << th;
    }
}

TEST(Rotations, UnitQuaternionIsTheTurnAboutItsAxis) {
    for (int trial = 0; trial < 500; trial++) {
        Turn t = randomTurn();
        float q[4] = {std::cos(t.th / 2)}, m[4][4], r[4][4];
        for (int i = 0; i < 3; i++) q[i + 1] = t.k[i] * std::sin(t.th / 2);
        rot_mat2(q, m);
        rotkth(r, t.k, t.th);
        ASSERT_TRUE(matricesNear(m, r, 2e-6f)) << t.th;
    }
}

TEST(Rotations, MatrixGivesBackItsQuaternion) {
    for (int trial = 0; trial < 500; trial++) {
        Turn t = randomTurn();
        float q[4] = {std::cos(t.th / 2)}, back[4], m[4][4];
        for (int i = 0; i < 3; i++) q[i + 1] = t.k[i] * std::sin(t.th / 2);
        rotkth(m, t.k, t.th);
        mat2q(back, m);
        ASSERT_TRUE(arraysNear(back, q, 4, 1e-4f)) << t.th;
    }
}

TEST(Rotations, MatrixGivesBackItsAxisAndAngle) {
    for (int trial = 0; trial < 500; trial++) {
        Turn t = randomTurn();
        float m[4][4], k[3], th;
        rotkth(m, t.k, t.th);
        rotkthi(k, &th, m);
        ASSERT_NEAR(th, t.th, 2e-4f);
        ASSERT_TRUE(arraysNear(k, t.k, 3, 2e-4f)) << t.th;
    }
}

TEST(MatrixHelpers, QuadraticRootsComeInTheOrderOfTheirSign) {
    float plus, minus;
    solv_quad(-2, 2, 4, &plus, &minus);  // -2 (x + 1)(x - 2): with a < 0 the +root is smaller
    EXPECT_EQ(plus, -1.0f);
    EXPECT_EQ(minus, 2.0f);
}

TEST(MatrixHelpers, FileRoundTripKeepsThreeDecimals) {
    float r[4][4], back[4][4];
    for (int i = 0; i < 16; i++) r[i / 4][i % 4] = uniform(-99, 99);
    FILE* f = tmpfile();
    ASSERT_NE(f, nullptr);
    prtmf(f, r);
    rewind(f);
    rdtmf(f, back);
    fclose(f);
    EXPECT_TRUE(matricesNear(back, r, 0.0005f));
}

TEST(MatrixHelpers, CopyTakesFourElementsAndSizeIsTheLength) {
    float w[4] = {1, 2, 2, 0}, c[4] = {9, 9, 9, 9};
    veccp(c, w);
    EXPECT_TRUE(valuesNear(c, {1, 2, 2, 0}, 0));
    EXPECT_EQ(vecsize(w), 3.0f);
}
