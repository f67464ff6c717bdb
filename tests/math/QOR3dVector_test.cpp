// Value-vector checks: operand order, right-handed cross, zero-safe normalize.
#include "QOR3dVector.h"
#include "support/vectors.h"

namespace {
const QOR3dVector A(1, 2, 3), B(4, -1, 0.5f);
}

TEST(QOR3dVector, ArithmeticKeepsTheOperandOrder) {
    EXPECT_VEC_NEAR(A.minus(B).add(A).scale(2), -4, 10, 11, 0);  // 2 (2a - b), by hand
}

TEST(QOR3dVector, CrossIsRightHandedAndOrthogonalToBoth) {
    EXPECT_VEC_NEAR(QOR3dVector(1, 0, 0).cross(QOR3dVector(0, 1, 0)), 0, 0, 1, 0);
    QOR3dVector c = A.cross(B);
    EXPECT_EQ(c.dot(A), 0.0f);
    EXPECT_EQ(c.dot(B), 0.0f);
    EXPECT_EQ(A.dot(B), 3.5f);  // 4 - 2 + 1.5
}

TEST(QOR3dVector, NormalizeGivesUnitLengthAndLeavesTheZeroVectorZero) {
    EXPECT_VEC_NEAR(QOR3dVector(3, 0, 4).normalize(), 0.6f, 0, 0.8f, 1e-6f);
    EXPECT_NEAR(QOR3dVector(0, 1e-20f, 0).normalize().y, 1, 1e-6f);  // squares summed in double
    EXPECT_VEC_NEAR(QOR3dVector(0, 0, 0).normalize(), 0, 0, 0, 0);    // not NaN
}
