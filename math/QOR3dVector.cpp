// Value operations of QOR3dVector; none changes the receiver.
#include "QOR3dVector.h"

#include <cmath>
#include <cstdio>

QOR3dVector::QOR3dVector(float x, float y, float z) : x(x), y(y), z(z) {}

QOR3dVector QOR3dVector::scale(float s) const { return QOR3dVector(x * s, y * s, z * s); }

QOR3dVector QOR3dVector::add(QOR3dVector o) const { return QOR3dVector(x + o.x, y + o.y, z + o.z); }

QOR3dVector QOR3dVector::minus(QOR3dVector o) const { return QOR3dVector(x - o.x, y - o.y, z - o.z); }

QOR3dVector QOR3dVector::cross(QOR3dVector o) const {
    return QOR3dVector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}

float QOR3dVector::dot(QOR3dVector o) const { return x * o.x + y * o.y + z * o.z; }

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
