#include "QOR3dVector.h"
#include "Drawable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

TEST(QOR3dVector, ArithmeticKeepsOperandOrderAndReceiver) {
    QOR3dVector a(1.0f, 2.0f, 3.0f), b(4.0f, -1.0f, 0.5f);
    QOR3dVector d = a.minus(b);
    EXPECT_FLOAT_EQ(d.x, -3.0f);
    EXPECT_FLOAT_EQ(d.y, 3.0f);
    EXPECT_FLOAT_EQ(d.z, 2.5f);
    QOR3dVector s = a.add(b).scale(2.0f);
    EXPECT_FLOAT_EQ(s.x, 10.0f);
    EXPECT_FLOAT_EQ(s.y, 2.0f);
    EXPECT_FLOAT_EQ(s.z, 7.0f);
    EXPECT_FLOAT_EQ(a.dot(b), 4.0f - 2.0f + 1.5f);
    EXPECT_FLOAT_EQ(a.x, 1.0f);  // receiver untouched
}

TEST(QOR3dVector, CrossIsRightHanded) {
    QOR3dVector x(1, 0, 0), y(0, 1, 0);
    QOR3dVector z = x.cross(y);
    EXPECT_FLOAT_EQ(z.x, 0.0f);
    EXPECT_FLOAT_EQ(z.y, 0.0f);
    EXPECT_FLOAT_EQ(z.z, 1.0f);
    QOR3dVector mz = y.cross(x);
    EXPECT_FLOAT_EQ(mz.z, -1.0f);
}

TEST(QOR3dVector, LengthAndNormalizeIncludingZero) {
    QOR3dVector v(3.0f, 0.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.length(), 5.0f);
    QOR3dVector n = v.normalize();
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.0f);
    EXPECT_FLOAT_EQ(n.z, 0.8f);
    QOR3dVector zero = QOR3dVector(0, 0, 0).normalize();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    EXPECT_FALSE(std::isnan(zero.x));
    // Tiny but non-zero vectors still normalise to unit length.
    EXPECT_NEAR(QOR3dVector(0, 1e-20f, 0).normalize().y, 1.0f, 1e-6f);
}

TEST(QOR3dVector, EqualsIsExactAndPrintsOneLine) {
    QOR3dVector a(1.0f, 2.0f, 3.0f);
    QOR3dVector b(1.0f, 2.0f, std::nextafter(3.0f, 4.0f));
    testing::internal::CaptureStdout();
    bool same = a.equals(QOR3dVector(1.0f, 2.0f, 3.0f));
    bool differ = a.equals(b);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(same);
    EXPECT_FALSE(differ);
    EXPECT_EQ(out,
              "this: 1.000000,2.000000,3.000000 v: 1.000000,2.000000,3.000000\n"
              "this: 1.000000,2.000000,3.000000 v: 1.000000,2.000000,3.000000\n");
    testing::internal::CaptureStdout();
    QOR3dVector nan(std::numeric_limits<float>::quiet_NaN(), 0, 0);
    EXPECT_FALSE(nan.equals(nan));
    testing::internal::GetCapturedStdout();
}

TEST(QOR3dVector, SharedConstants) {
    EXPECT_EQ(default3dVector.x, 0.0f);
    EXPECT_EQ(default3dVector.y, 0.0f);
    EXPECT_EQ(default3dVector.z, 0.0f);
    EXPECT_EQ(defaultColor.r, 1.0f);
    EXPECT_EQ(defaultColor.g, 1.0f);
    EXPECT_EQ(defaultColor.b, 1.0f);
    EXPECT_EQ(defaultColor.alpha, 1.0f);
}
