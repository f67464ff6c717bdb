// Value-vector checks: right-handed cross, zero-safe normalize.
#include "QOR3dVector.h"
#include "support/vectors.h"

TEST(QOR3dVector, CrossIsRightHanded) {
    EXPECT_VEC_NEAR(QOR3dVector(1, 0, 0).cross(QOR3dVector(0, 1, 0)), 0, 0, 1, 0);
    EXPECT_VEC_NEAR(QOR3dVector(0, 0, 1).cross(QOR3dVector(1, 0, 0)), 0, 1, 0, 0);
}

TEST(QOR3dVector, NormalizeGivesUnitLengthAndLeavesTheZeroVectorZero) {
    EXPECT_VEC_NEAR(QOR3dVector(3, 0, 4).normalize(), 0.6f, 0, 0.8f, 1e-6f);
    EXPECT_VEC_NEAR(QOR3dVector(0, 0, 0).normalize(), 0, 0, 0, 0);    // not NaN
}
