// Tests of the QOR44Matrix value class: identity, transpose, point transform, flat copies.
#include "QOR44Matrix.h"
#include "math/matrix_check.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(QOR44Matrix, IdentityTransposeAndPointTransform) {
    QOR44Matrix id;
    EXPECT_TRUE(matricesNear(id.transpose().matrix, id.matrix, 0.0f));
    QOR3dVector p = id.vectorMultiply(QOR3dVector(1.5f, -2.0f, 7.0f));
    EXPECT_EQ(p.x, 1.5f);
    EXPECT_EQ(p.y, -2.0f);
    EXPECT_EQ(p.z, 7.0f);

    // Translation sits in the last column for column vectors.
    QOR44Matrix m;
    m.matrix[0][3] = 5.0f;
    p = m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f));
    EXPECT_FLOAT_EQ(p.x, 6.0f);
    EXPECT_FLOAT_EQ(p.y, 2.0f);
    EXPECT_FLOAT_EQ(p.z, 3.0f);

    QOR44Matrix t = m.transpose();
    EXPECT_EQ(t.matrix[3][0], 5.0f);
    EXPECT_EQ(t.matrix[0][3], 0.0f);
    EXPECT_EQ(m.matrix[0][3], 5.0f);  // receiver untouched

    // A last row other than (0, 0, 0, 1) divides by w.
    m.matrix[3][3] = 2.0f;
    p = m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f));
    EXPECT_FLOAT_EQ(p.x, 3.0f);
    EXPECT_FLOAT_EQ(p.y, 1.0f);
    EXPECT_FLOAT_EQ(p.z, 1.5f);
    m.matrix[3][3] = 0.0f;
    p = m.vectorMultiply(QOR3dVector(1.0f, 2.0f, 3.0f));
    EXPECT_FALSE(std::isfinite(p.x));
}

TEST(QOR44Matrix, FlatCopiesKeepRowOrderSoGlArraysArriveTransposed) {
    float in[16], out[16];
    for (int i = 0; i < 16; i++) in[i] = (float)(i * i) - 3.5f;
    QOR44Matrix m;
    m.set16Matrix(in);
    EXPECT_EQ(m.matrix[1][2], in[6]);
    EXPECT_EQ(m.matrix[3][1], in[13]);
    m.get16Matrix(out);
    for (int i = 0; i < 16; i++) EXPECT_EQ(out[i], in[i]) << i;

    // A column-major translation by (7, 8, 9) lands in the last row.
    float gl[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};
    m.set16Matrix(gl);
    EXPECT_EQ(m.matrix[3][0], 7.0f);
    EXPECT_EQ(m.matrix[3][1], 8.0f);
    EXPECT_EQ(m.matrix[3][2], 9.0f);
    QOR3dVector p = m.transpose().vectorMultiply(QOR3dVector(1.0f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(p.x, 8.0f);
    EXPECT_FLOAT_EQ(p.y, 9.0f);
    EXPECT_FLOAT_EQ(p.z, 10.0f);
}
