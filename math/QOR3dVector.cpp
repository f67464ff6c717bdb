// Value operations of QOR3dVector; none changes the receiver.
#include "QOR3dVector.h"

#include <cmath>
#include <cstdio>

QOR3dVector::QOR3dVector(float x, float y, float z) : x(x), y(y), z(z) {}

QOR3dVector QOR3dVector::scale(float s) const { return QOR3dVector(x * s, y * s, z * s); }

QOR3dVector QOR3dVector::add(QOR3dVector v) const { return QOR3dVector(x + v.x, y + v.y, z + v.z); }

QOR3dVector QOR3dVector::minus(QOR3dVector v) const { return QOR3dVector(x - v.x, y - v.y, z - v.z); }

// Right-handed: each component pairs the other two axes of both vectors.
QOR3dVector QOR3dVector::cross(QOR3dVector v) const {
    float cx = y * v.z - z * v.y;
    float cy = z * v.x - x * v.z;
    float cz = x * v.y - y * v.x;
    return QOR3dVector(cx, cy, cz);
}

float QOR3dVector::dot(QOR3dVector v) const { return x * v.x + y * v.y + z * v.z; }

float QOR3dVector::length() const {
    double sum = (double)x * x + (double)y * y + (double)z * z;
    return (float)std::sqrt(sum);
}

QOR3dVector QOR3dVector::normalize() const {
    float vectorLength = length();
    if (vectorLength == 0.0f) return QOR3dVector(0.0f, 0.0f, 0.0f);
    return QOR3dVector(x / vectorLength, y / vectorLength, z / vectorLength);
}

bool QOR3dVector::equals(QOR3dVector v) const {
    std::printf("this: %f,%f,%f v: %f,%f,%f\n", x, y, z, v.x, v.y, v.z);
    return x == v.x && y == v.y && z == v.z;
}
