// Closed-form limb tips for checking the GL-measured endpoints in tests.
#ifndef QORVEL_TESTS_CHARACTER_KINEMATICS_H
#define QORVEL_TESTS_CHARACTER_KINEMATICS_H

#include <cmath>

#include "Character_Arm.h"
#include "Character_Leg.h"
#include "support/vectors.h"

namespace kin {
inline double rad(double degrees) { return degrees * M_PI / 180.0; }

// Tip of a three-segment chain in the frame the limb is drawn in.
inline QOR3dVector chainTip(QOR3dVector base, double yaw, double a1, double a2, double a3,
                            double l1, double l2, double l3) {
    double Y = -(l1 * std::sin(rad(a1)) + l2 * std::sin(rad(a2)) + l3 * std::sin(rad(a3)));
    double Z = l1 * std::cos(rad(a1)) + l2 * std::cos(rad(a2)) + l3 * std::cos(rad(a3));
    return QOR3dVector((float)(base.x + Z * std::sin(rad(yaw))), (float)(base.y + Y),
                       (float)(base.z + Z * std::cos(rad(yaw))));
}
inline QOR3dVector armTip(Character_Arm& a) {
    double a1 = a.getShoulderPitch(), a2 = a1 + a.getElbowPitch(), a3 = a2 + a.getWristPitch();
    return chainTip(a.getPosition(), a.getShoulderYaw(), a1, a2, a3, 0.25, 0.25, 0.08);
}
inline QOR3dVector legTip(Character_Leg& l) {
    double b1 = l.getHipPitch(), b2 = b1 + l.getKneePitch() / 2.0, b3 = b2 + l.getAnklePitch();
    return chainTip(l.getPosition(), l.getHipYaw(), b1, b2, b3, 0.4, 0.4, 0.075);
}
// A body-frame point placed at world position p, turned by heading h degrees about y.
inline QOR3dVector toWorld(QOR3dVector body, QOR3dVector p, double h) {
    double c = std::cos(rad(h)), s = std::sin(rad(h));
    return QOR3dVector((float)(p.x + body.x * c + body.z * s), p.y + body.y,
                       (float)(p.z - body.x * s + body.z * c));
}
// The inverse: where world point w lies in the frame of a body at p with heading h.
inline QOR3dVector toBody(QOR3dVector w, QOR3dVector p, double h) {
    double c = std::cos(rad(h)), s = std::sin(rad(h)), dx = w.x - p.x, dz = w.z - p.z;
    return QOR3dVector((float)(dx * c - dz * s), w.y - p.y, (float)(dx * s + dz * c));
}
}  // namespace kin

#endif
