// The matrix library: solving, products, inverses, rotations against a turn computed here, the
// round trips between rotation forms, the matrix file format.
#include "lib_math.h"
#include "support/fakes.h"
#include "support/matrices.h"

#include <array>
#include <random>

namespace {
const float PI_F = 3.14159265f;
std::mt19937 gen(20261207);
float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(gen); }

// A random n x n system with nonzero leading minors (diagonally dominant); outside the n x n
// block every entry is 99, so a routine that strays there shows.
void randomSystem(int n, float a[4][4], float b[4]) {
    for (int i = 0; i < 16; i++) a[i / 4][i % 4] = (i / 4 < n && i % 4 < n) ? uniform(-1, 1) : 99;
    for (int r = 0; r < n; r++) a[r][r] += (r % 2 ? -1.0f : 1.0f) * (float)(n + 1);
    for (int i = 0; i < n; i++) b[i] = uniform(-10, 10);
}
// A random rigid motion: a roll-pitch-yaw rotation (pitch within a quarter turn) and a shift.
void randomRigid(float m[4][4], float rpy[3]) {
    rpy[0] = uniform(-PI_F, PI_F), rpy[1] = uniform(-PI_F, PI_F) / 2, rpy[2] = uniform(-PI_F, PI_F);
    rpy2mat(rpy, m);
    for (int i = 0; i < 3; i++) m[i][3] = uniform(-50, 50);
}
// A random turn of angle th in (0, 3) about the unit axis k, as a matrix and a quaternion.
struct Turn { float k[3], th, q[4], m[4][4]; };
Turn randomTurn() {
    Turn t{{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)}, uniform(1e-3f, 3.0f), {}, {}};
    float len = std::sqrt(t.k[0] * t.k[0] + t.k[1] * t.k[1] + t.k[2] * t.k[2]);
    t.q[0] = std::cos(t.th / 2);
    for (int i = 0; i < 3; i++) t.q[i + 1] = (t.k[i] /= len) * std::sin(t.th / 2);
    rotkth(t.m, t.k, t.th);
    return t;
}
// v turned by th about the unit axis k, computed here in double precision (Rodrigues):
// v cos + (k x v) sin + k (k . v)(1 - cos).
std::array<double, 3> turned(const float k[3], double th, const float v[3]) {
    const double kv = (double)k[0] * v[0] + (double)k[1] * v[1] + (double)k[2] * v[2];
    const double kxv[3] = {(double)k[1] * v[2] - (double)k[2] * v[1],
                           (double)k[2] * v[0] - (double)k[0] * v[2],
                           (double)k[0] * v[1] - (double)k[1] * v[0]};
    std::array<double, 3> out;
    for (int i = 0; i < 3; i++) out[i] = v[i] * cos(th) + kxv[i] * sin(th) + k[i] * kv * (1 - cos(th));
    return out;
}
// Expects m (acting on column vectors) to move v where `want` says, within tol.
void expectMoves(float m[4][4], const float v[3], std::array<double, 3> want, float tol) {
    float h[4] = {v[0], v[1], v[2], 1}, got[4];
    tmmult(got, m, h);
    const float w[4] = {(float)want[0], (float)want[1], (float)want[2], 1};
    EXPECT_TRUE(arraysNear(got, w, 4, tol)) << "moving (" << v[0] << ", " << v[1] << ", " << v[2] << ")";
}
const float AXES[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
}  // namespace

TEST(LinearSolve, SolutionsSatisfyTheirSystems) {
    for (int trial = 0; trial < 800; trial++) {
        int n = 1 + trial % 4;
        float a[4][4], lu[4][4], b[4], rhs[4], x[4], ax[4];
        randomSystem(n, a, b);
        tm_copy(lu, a);
        std::copy(b, b + 4, rhs);
        ASSERT_EQ(lin_eq_solv(lu, rhs, x, n), 1);
        mvmult(ax, a, x, n);
        ASSERT_TRUE(arraysNear(ax, b, n, 1e-4f)) << n << " unknowns, trial " << trial;
    }
}

TEST(LinearSolve, SizesOutsideOneToFourAreRefusedUntouched) {
    float a[4][4] = {{1, 0}, {0, 1}}, b[4] = {2, 3}, x[4] = {7, 7, 7, 7};
    for (int n : {0, 5}) {
        quietly([&] { EXPECT_EQ(lin_eq_solv(a, b, x, n), 0) << n; });
        EXPECT_TRUE(valuesNear(x, {7, 7, 7, 7}, 0)) << n;
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

// (A B) v = A (B v) for every size, and the identity leaves a vector as it is.
TEST(MatrixProducts, AProductActsAsOneMatrixAfterTheOther) {
    for (int trial = 0; trial < 200; trial++) {
        int n = 1 + trial % 4;
        float a[4][4], b[4][4], ab[4][4], v[4] = {}, bv[4], abv[4], a_bv[4], id[4][4];
        randomSystem(n, a, v);
        randomSystem(n, b, v);
        matmult(ab, a, b, n);
        mvmult(abv, ab, v, n);
        mvmult(bv, b, v, n);
        mvmult(a_bv, a, bv, n);
        ASSERT_TRUE(arraysNear(abv, a_bv, n, 1e-3f)) << n << " by " << n << ", trial " << trial;
        idenmat(id);
        tmmult(bv, id, v);
        ASSERT_TRUE(arraysNear(bv, v, n, 0));
    }
}

TEST(Inverse, AnInverseTimesItsMatrixIsTheIdentity) {
    float id[4][4];
    idenmat(id);
    for (int trial = 0; trial < 400; trial++) {
        int n = 1 + trial % 4;
        float a[4][4], inv[4][4], b[4], back[4][4];
        randomSystem(n, a, b);
        tm_copy(inv, a);
        matinv(inv, n);
        idenmat(back);
        matmult(back, inv, a, n);
        ASSERT_TRUE(matricesNear(back, id, 1e-5f)) << n << " by " << n << ", trial " << trial;
    }
}

// Each axis turn, and a turn about any unit axis, moves every vector as the turn computed here
// does: right-handed, and in the same sense for every axis.
TEST(Rotations, TurnsAgreeWithRodriguesTurnOfAVector) {
    for (int trial = 0; trial < 300; trial++) {
        Turn t = randomTurn();
        float m[4][4], v[3] = {uniform(-5, 5), uniform(-5, 5), uniform(-5, 5)};
        const int axis = trial % 3;
        rotmat("xyz"[axis], t.th, m);
        expectMoves(m, v, turned(AXES[axis], t.th, v), 1e-4f);
        expectMoves(t.m, v, turned(t.k, t.th, v), 1e-4f);
    }
}

// Roll about x first, then pitch about y, then yaw about z.
TEST(Rotations, RollPitchYawTurnsAboutXThenYThenZ) {
    for (int trial = 0; trial < 300; trial++) {
        float m[4][4], rpy[3] = {uniform(-PI_F, PI_F), uniform(-PI_F, PI_F), uniform(-PI_F, PI_F)};
        float v[3] = {uniform(-5, 5), uniform(-5, 5), uniform(-5, 5)};
        rpy2mat(rpy, m);
        std::array<double, 3> r = turned(AXES[0], rpy[0], v);
        const float rolled[3] = {(float)r[0], (float)r[1], (float)r[2]};
        r = turned(AXES[1], rpy[1], rolled);
        const float pitched[3] = {(float)r[0], (float)r[1], (float)r[2]};
        expectMoves(m, v, turned(AXES[2], rpy[2], pitched), 1e-4f);
    }
}

// A rotation's transpose undoes it, and reading angles or axis back gives the same turn.
TEST(Rotations, AnglesAndAxisReadBackFromTheMatrixRebuildIt) {
    float id[4][4];
    idenmat(id);
    for (int trial = 0; trial < 300; trial++) {
        Turn t = randomTurn();
        float tp[4][4], back[4][4], rpy[3], k[3], th;
        tmtransp(tp, t.m);
        tmmmult(back, tp, t.m);
        ASSERT_TRUE(matricesNear(back, id, 1e-5f)) << "transpose at " << t.th;
        mat2rpy(t.m, rpy);
        rpy2mat(rpy, back);
        ASSERT_TRUE(matricesNear(back, t.m, 1e-4f)) << "roll-pitch-yaw at " << t.th;
        rotkthi(k, &th, t.m);
        rotkth(back, k, th);
        ASSERT_TRUE(matricesNear(back, t.m, 1e-4f)) << "axis and angle at " << t.th;
    }
}

// Both ways between a turn's matrix and its quaternion.
TEST(Rotations, QuaternionAndMatrixOfATurnMatch) {
    for (int trial = 0; trial < 500; trial++) {
        Turn t = randomTurn();
        float m[4][4], q[4];
        rot_mat2(t.q, m);
        mat2q(q, t.m);
        ASSERT_TRUE(matricesNear(m, t.m, 2e-6f)) << "matrix at " << t.th;
        ASSERT_TRUE(arraysNear(q, t.q, 4, 1e-4f)) << "quaternion at " << t.th;
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
