// Tests of the QOR44Matrix value class: identity, transpose, point transform, flat copies.
#include "QOR44Matrix.h"
#include "math/matrix_check.h"

TEST(QOR44Matrix, TransformTransposeDivisionAndFlatCopies) {
    QOR44Matrix m;
    EXPECT_TRUE(matricesNear(m.transpose().matrix, m.matrix, 0.0f));
    EXPECT_TRUE(vectorNear(m.vectorMultiply(QOR3dVector(1.5f, -2.0f, 7.0f)), 1.5f, -2, 7, 0));
    m.matrix[0][3] = 5.0f;  // translation sits in the last column
    EXPECT_TRUE(vectorNear(m.vectorMultiply(QOR3dVector(1, 2, 3)), 6, 2, 3, 0));
    EXPECT_TRUE(m.transpose().matrix[3][0] == 5.0f && m.matrix[3][0] == 0.0f);  // receiver kept
    m.matrix[3][3] = 2.0f;
    EXPECT_TRUE(vectorNear(m.vectorMultiply(QOR3dVector(1, 2, 3)), 3, 1, 1.5f, 0));
    m.matrix[3][3] = 0.0f;
    EXPECT_FALSE(std::isfinite(m.vectorMultiply(QOR3dVector(1, 2, 3)).x));

    // Flat copies keep row order, so a GL array arrives transposed.
    float out[16], gl[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};  // column-major shift
    m.set16Matrix(gl);
    EXPECT_TRUE(m.matrix[3][0] == 7.0f && m.matrix[3][2] == 9.0f);
    EXPECT_TRUE(vectorNear(m.transpose().vectorMultiply(QOR3dVector(1, 1, 1)), 8, 9, 10, 0));
    m.get16Matrix(out);
    EXPECT_TRUE(valuesNear(out, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1}, 0));
}
