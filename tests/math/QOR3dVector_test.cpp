// The vector value type and the float-array vector routines, both held to the identities that
// define each operation (round trips, perpendicularity, the Euclidean norm), on random vectors.
#include "QOR3dVector.h"
#include "lib_math.h"
#include "support/vectors.h"

#include <cmath>
#include <random>

namespace {
using V = QOR3dVector;
std::mt19937 gen(3141);
V randomVector() {
    std::uniform_real_distribution<float> u(-10, 10);
    return V(u(gen), u(gen), u(gen));
}
double dotOf(V a, V b) { return (double)a.x * b.x + (double)a.y * b.y + (double)a.z * b.z; }

// The float-array routines behind the value type's signatures.
template <void (*F)(float*, float*, float*)>
V onArrays(V a, V b) {
    float fa[4] = {a.x, a.y, a.z, 1}, fb[4] = {b.x, b.y, b.z, 1}, out[4];
    F(out, fa, fb);
    return V(out[0], out[1], out[2]);
}
V unitOnArray(V a) {
    float v[4] = {a.x, a.y, a.z, 7};
    norm(v);
    return V(v[0], v[1], v[2]);
}
float lengthOnArray(V a) {
    float v[4] = {a.x, a.y, a.z, 7};
    return vecsize(v);
}
struct Ops {
    const char* who;
    V (*minus)(V, V);
    V (*add)(V, V);
    V (*cross)(V, V);
    V (*unit)(V);
    float (*length)(V);
};
const Ops OPS[] = {
    {"value type", [](V a, V b) { return a.minus(b); }, [](V a, V b) { return a.add(b); },
     [](V a, V b) { return a.cross(b); }, [](V a) { return a.normalize(); },
     [](V a) { return a.length(); }},
    {"float arrays", onArrays<vecsub>, onArrays<vecadd>, onArrays<xprod>, unitOnArray,
     lengthOnArray}};
const V X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1), ZERO(0, 0, 0);
}  // namespace

TEST(VectorRoutines, DifferenceAndSumUndoEachOther) {
    for (const Ops& op : OPS) {
        SCOPED_TRACE(op.who);
        for (int trial = 0; trial < 100; trial++) {
            V a = randomVector(), b = randomVector();
            EXPECT_VEC_EQ(op.minus(a, a), ZERO, 0);
            EXPECT_VEC_EQ(op.add(op.minus(a, b), b), a, 1e-5);
        }
    }
}

// Perpendicular to both, as long as the parallelogram is wide, and turning x into y about z:
// only the right-handed cross product does all three.
TEST(VectorRoutines, CrossIsPerpendicularAsLongAsTheParallelogramAndRightHanded) {
    for (const Ops& op : OPS) {
        SCOPED_TRACE(op.who);
        for (int trial = 0; trial < 100; trial++) {
            V a = randomVector(), b = randomVector(), c = op.cross(a, b);
            EXPECT_NEAR(dotOf(c, a), 0, 1e-2);
            EXPECT_NEAR(dotOf(c, b), 0, 1e-2);
            EXPECT_NEAR(dotOf(c, c), dotOf(a, a) * dotOf(b, b) - dotOf(a, b) * dotOf(a, b), 1);
        }
        EXPECT_VEC_EQ(op.cross(X, Y), Z, 0);
        EXPECT_VEC_EQ(op.cross(Y, Z), X, 0);
        EXPECT_VEC_EQ(op.cross(Z, X), Y, 0);
    }
}

TEST(VectorRoutines, LengthIsEuclideanAndTheUnitVectorPointsTheSameWay) {
    for (const Ops& op : OPS) {
        SCOPED_TRACE(op.who);
        for (int trial = 0; trial < 100; trial++) {
            V a = randomVector(), u = op.unit(a);
            EXPECT_NEAR(op.length(a), std::hypot(a.x, a.y, a.z), 1e-5);
            EXPECT_NEAR(dotOf(u, u), 1, 1e-6);
            EXPECT_NEAR(dotOf(u, a), std::hypot(a.x, a.y, a.z), 1e-4);
        }
    }
    EXPECT_VEC_EQ(ZERO.normalize(), ZERO, 0);  // not NaN
}

TEST(QOR3dVector, DotAndScaleAgreeWithSumsOfTheVector) {
    for (int trial = 0; trial < 100; trial++) {
        V a = randomVector(), b = randomVector();
        EXPECT_NEAR(a.dot(b), dotOf(a, b), 1e-4);
        EXPECT_VEC_EQ(a.scale(2), a.add(a), 0);
        EXPECT_VEC_EQ(a.scale(-1).add(a), ZERO, 0);
    }
}
