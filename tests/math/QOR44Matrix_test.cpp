// Tests of the QOR44Matrix value class: identity, transpose, point transform, flat copies.
#include "QOR44Matrix.h"
#include "math/matrix_check.h"

#include <cmath>

namespace {
testing::AssertionResult pointIs(QOR3dVector p, float x, float y, float z) {
    const float v[3] = {p.x, p.y, p.z};
    return valuesNear(v, {x, y, z}, 0.0f);
}
}  // namespace

TEST(QOR44Matrix, TransformTransposeDivisionAndFlatCopies) {
    QOR44Matrix m;
    EXPECT_TRUE(matricesNear(m.transpose().matrix, m.matrix, 0.0f));
    EXPECT_TRUE(pointIs(m.vectorMultiply(QOR3dVector(1.5f, -2.0f, 7.0f)), 1.5f, -2.0f, 7.0f));

    m.matrix[0][3] = 5.0f;  // translation sits in the last column
    EXPECT_TRUE(pointIs(m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f)), 6, 2, 3));
    EXPECT_EQ(m.transpose().matrix[3][0], 5.0f);
    EXPECT_EQ(m.matrix[3][0], 0.0f);  // receiver unchanged

    m.matrix[3][3] = 2.0f;
    EXPECT_TRUE(pointIs(m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f)), 3, 1, 1.5f));
    m.matrix[3][3] = 0.0f;
    EXPECT_FALSE(std::isfinite(m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f)).x));

    // Flat copies keep row order, so a GL array arrives transposed.
    float out[16], gl[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};  // column-major shift
    m.set16Matrix(gl);
    EXPECT_EQ(m.matrix[3][0], 7.0f);
    EXPECT_EQ(m.matrix[3][2], 9.0f);
    EXPECT_TRUE(pointIs(m.transpose().vectorMultiply(QOR3dVector(1.0f, 1.0f, 1.0f)), 8, 9, 10));
    m.get16Matrix(out);
    EXPECT_TRUE(valuesNear(out, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1}, 0));
}
