// Value-vector checks: operand order, right-handed cross, zero-safe normalize, exact equals.
#include "math/matrix_check.h"
#include "support/fakes.h"

TEST(QOR3dVector, ArithmeticCrossNormalizeAndEquals) {
    QOR3dVector a(1, 2, 3), b(4, -1, 0.5f), next(1, 2, std::nextafter(3.0f, 4.0f));
    EXPECT_TRUE(vectorNear(a.minus(b).add(a).scale(2), -4, 10, 11, 0));
    EXPECT_TRUE(vectorNear(a.cross(b), 4, 11.5f, -9, 0) && a.dot(b) == 3.5f);
    EXPECT_TRUE(vectorNear(QOR3dVector(3, 0, 4).normalize(), 0.6f, 0, 0.8f, 1e-6f));
    EXPECT_TRUE(vectorNear(QOR3dVector(0, 0, 0).normalize(), 0, 0, 0, 0));  // no NaN
    EXPECT_NEAR(QOR3dVector(0, 1e-20f, 0).normalize().y, 1, 1e-6f);  // squares summed in double
    quietly([&] {  // equals prints both vectors; a is still as built
        EXPECT_TRUE(a.equals(QOR3dVector(1, 2, 3)) && !a.equals(next));
    });
}
