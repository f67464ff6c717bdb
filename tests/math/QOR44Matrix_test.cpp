// Tests of the QOR44Matrix value class: identity, transpose, point transform, flat copies.
#include "QOR44Matrix.h"
#include "math/matrix_check.h"

TEST(QOR44Matrix, TransformTransposeDivisionAndFlatCopies) {
    EXPECT_TRUE(vectorNear(QOR44Matrix().vectorMultiply(QOR3dVector(1.5f, -2, 7)), 1.5f, -2, 7, 0));
    // Flat copies keep row order, so a GL (column-major) shift by (7, 8, 9) with w = 2 arrives
    // transposed.
    float out[16], gl[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 2};
    QOR44Matrix m;
    m.set16Matrix(gl);
    m.get16Matrix(out);
    EXPECT_TRUE(arraysNear(out, gl, 16, 0) && m.matrix[3][0] == 7.0f);
    QOR44Matrix t = m.transpose();
    EXPECT_TRUE(vectorNear(t.vectorMultiply(QOR3dVector(1, 2, 3)), 4, 5, 6, 0));  // shift, then / w
    EXPECT_EQ(m.matrix[0][3], 0.0f);  // the receiver is not transposed
}
