// Three-float value vector used for every position, direction and velocity in the scene.
#ifndef QORVEL_QOR3DVECTOR_H
#define QORVEL_QOR3DVECTOR_H

class QOR3dVector {
public:
    float x, y, z;

    QOR3dVector(float x, float y, float z);
    ~QOR3dVector() {}

    QOR3dVector scale(float other) const;
    QOR3dVector add(QOR3dVector other) const;
    QOR3dVector minus(QOR3dVector other) const;   // receiver minus argument
    QOR3dVector cross(QOR3dVector other) const;
    float dot(QOR3dVector other) const;
    float length() const;
    QOR3dVector normalize() const;                // zero stays zero instead of NaN
    bool equals(QOR3dVector v) const;             // exact, and prints one trace line
};

static const QOR3dVector default3dVector(0.0f, 0.0f, 0.0f);

#endif
