// The QOR44Matrix value class: a flat copy in row order, transpose, division by w.
#include "QOR44Matrix.h"
#include "support/vectors.h"

namespace {
// A GL (column-major) shift by (7, 8, 9) with w = 2; copied flat it arrives transposed.
const float GL_SHIFT[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 2};
}

TEST(QOR44Matrix, TransposedShiftMovesAndDividesByW) {
    QOR44Matrix m;
    m.set16Matrix(GL_SHIFT);
    QOR3dVector moved = m.transpose().vectorMultiply(QOR3dVector(1, 2, 3));
    EXPECT_VEC_NEAR(moved, 4, 5, 6, 0);  // ((1, 2, 3) + (7, 8, 9)) / 2
    EXPECT_EQ(m.matrix[0][3], 0.0f);     // the receiver is not transposed
}
