// 4x4 single-precision matrix value: identity, transpose, point transform, flat-array copies.
#ifndef QORVEL_QOR44MATRIX_H
#define QORVEL_QOR44MATRIX_H

#include "QOR3dVector.h"

class QOR44Matrix {
public:
    // matrix[r][c] holds row r, column c; rows are contiguous, so flat index = 4r + c.
    float matrix[4][4];

    QOR44Matrix();   // identity
    ~QOR44Matrix() {}

    QOR44Matrix transpose() const;
    // Column-vector transform of the point (x, y, z, 1), divided by the resulting w.
    // No guard for w = 0: the components then come out infinite or NaN.
    QOR3dVector vectorMultiply(QOR3dVector theVector) const;

    // Flat copies in this class's own row-after-row order, without reordering. GL arrays are
    // column-major, so a GL array passed through these holds the transpose: GL's column k
    // lands in matrix[k] and GL's translation (12, 13, 14) in matrix[3][0..2].
    void get16Matrix(float* the16Matrix) const;
    void set16Matrix(const float* the16Matrix);
};

#endif
