// Operations of the QOR44Matrix value class; only set16Matrix changes the receiver.
#include "QOR44Matrix.h"

QOR44Matrix::QOR44Matrix() {
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) matrix[r][c] = (r == c) ? 1.0f : 0.0f;
}

QOR44Matrix QOR44Matrix::transpose() const {
    QOR44Matrix t;
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) t.matrix[r][c] = matrix[c][r];
    return t;
}

QOR3dVector QOR44Matrix::vectorMultiply(QOR3dVector theVector) const {
    const float p[4] = {theVector.x, theVector.y, theVector.z, 1.0f};
    float out[4];
    for (int k = 0; k < 4; k++) {
        float sum = 0.0f;
        for (int c = 0; c < 4; c++) sum += matrix[k][c] * p[c];
        out[k] = sum;
    }
    return QOR3dVector(out[0] / out[3], out[1] / out[3], out[2] / out[3]);
}

void QOR44Matrix::get16Matrix(float* the16Matrix) const {
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) the16Matrix[4 * r + c] = matrix[r][c];
}

void QOR44Matrix::set16Matrix(const float* the16Matrix) {
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) matrix[r][c] = the16Matrix[4 * r + c];
}
