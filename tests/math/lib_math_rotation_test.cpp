// Tests of the rotation routines: axis rotations, roll-pitch-yaw, axis-angle and quaternions.
#include "lib_math.h"
#include "math/matrix_check.h"
#include "support/fakes.h"

#include <random>

namespace {
const float PI_F = 3.14159265f;

void randomUnitAxis(std::mt19937& gen, float k[3]) {
    std::normal_distribution<float> g(0.0f, 1.0f);
    float len;
    do {
        for (int i = 0; i < 3; i++) k[i] = g(gen);
        len = std::sqrt(k[0] * k[0] + k[1] * k[1] + k[2] * k[2]);
    } while (len < 0.1f);
    for (int i = 0; i < 3; i++) k[i] /= len;
}
}  // namespace

TEST(Rotations, AxisRotationsAreRightHandedAndBadAxisIsReported) {
    // Quarter turns: z takes x to y, x takes y to z, y takes z to x.
    const char axes[3] = {'z', 'x', 'y'};
    float from[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}}, m[4][4], out[4], id[4][4];
    for (int a = 0; a < 3; a++) {
        rotmat(axes[a], PI_F / 2, m);
        tmmult(out, m, from[a]);
        const float* to = from[(a + 1) % 3];
        EXPECT_TRUE(valuesNear(out, {to[0], to[1], to[2], to[3]}, 1e-6f)) << axes[a];
    }
    idenmat(id);
    quietly([&] { rotmat('X', 0.7f, m); });  // axis names are lower case: reported, identity
    EXPECT_TRUE(matricesNear(m, id, 0.0f));
}

TEST(Rotations, RollPitchYawRoundTrips) {
    float m[4][4], back[4][4], rpy[3], id[4][4];
    idenmat(id);
    mat2rpy(id, rpy);
    EXPECT_NEAR(rpy[2], PI_F, 1e-6f);
    float known[3] = {0.1f, 0.2f, 0.3f};
    rpy2mat(known, m);
    EXPECT_NEAR(m[2][0], -std::sin(0.2f), 1e-6f);  // roll first: x axis sees only pitch, yaw
    mat2rpy(m, rpy);
    EXPECT_TRUE(valuesNear(rpy, {0.1f - PI_F, PI_F - 0.2f, 0.3f + PI_F}, 1e-5f));

    std::mt19937 gen(11);
    std::uniform_real_distribution<float> ang(-PI_F, PI_F);
    for (int trial = 0; trial < 2000; trial++) {
        float in[3] = {ang(gen), ang(gen) / 2, ang(gen)}, mt[4][4], prod[4][4];
        rpy2mat(in, m);
        tmtransp(mt, m);
        tmmmult(prod, mt, m);
        EXPECT_TRUE(matricesNear(prod, id, 1e-6f));  // the transpose undoes it
        mat2rpy(m, rpy);
        EXPECT_TRUE(rpy[2] > 0.0f && rpy[2] <= 2 * PI_F + 1e-6f) << rpy[2];
        rpy2mat(rpy, back);
        ASSERT_TRUE(matricesNear(back, m, 5e-6f)) << in[0] << " " << in[1] << " " << in[2];
    }
}

TEST(Rotations, AxisAngleMatchesAxisRotationsAndInverts) {
    const char names[3] = {'x', 'y', 'z'};
    for (int a = 0; a < 3; a++)
        for (float th = -3.0f; th <= 3.0f; th += 0.25f) {
            float k[3] = {0, 0, 0}, r1[4][4], r2[4][4];
            k[a] = 1.0f;
            rotkth(r1, k, th);
            rotmat(names[a], th, r2);
            EXPECT_TRUE(matricesNear(r1, r2, 1e-6f)) << names[a] << " " << th;
        }
    // The axis comes from the skew part, so its error grows as 1/sin(th) at both ends; within
    // about 1e-4 of 0 or of pi the sine vanishes and the result is angle 0 about x.
    std::mt19937 gen(23);
    for (float th : {1e-3f, 0.3f, 1.5707963f, 3.0f, 3.1405f, 0.0f, 5e-5f, PI_F - 5e-5f, PI_F})
        for (int trial = 0; trial < 50; trial++) {
            float k[3], m[4][4], kb[3], thb;
            randomUnitAxis(gen, k);
            rotkth(m, k, th);
            rotkthi(kb, &thb, m);
            bool vanishes = std::sin(th) < 1e-4f;
            EXPECT_NEAR(thb, vanishes ? 0 : th, vanishes ? 0 : 2e-4f);
            for (int i = 0; i < 3; i++)
                EXPECT_NEAR(kb[i], vanishes ? i == 0 : k[i], vanishes ? 0 : 2e-7f / std::sin(th) + 1e-6f)
                    << th;
        }
}

TEST(Rotations, QuaternionsMatchAxisAngleAndRoundTrip) {
    float m[4][4], q[4], qb[4], rz[4][4], qz[4] = {0, 0, 0, 1};
    idenmat(m);
    mat2q(q, m);
    EXPECT_TRUE(valuesNear(q, {1, 0, 0, 0}, 0.0f));
    rotmat('x', PI_F, m);
    mat2q(q, m);
    EXPECT_TRUE(valuesNear(q, {0, 1, 0, 0}, 1e-6f));
    rot_mat2(qz, m);
    rotmat('z', PI_F, rz);
    EXPECT_TRUE(matricesNear(m, rz, 1e-6f));

    std::mt19937 gen(31);
    std::uniform_real_distribution<float> ang(1e-3f, 3.0f);
    for (int trial = 0; trial < 300; trial++) {
        float th = ang(gen), k[3], rk[4][4];
        randomUnitAxis(gen, k);
        q[0] = std::cos(th / 2);
        for (int i = 0; i < 3; i++) q[i + 1] = k[i] * std::sin(th / 2);
        rot_mat2(q, m);
        rotkth(rk, k, th);
        EXPECT_TRUE(matricesNear(m, rk, 2e-6f)) << th;
        mat2q(qb, m);
        EXPECT_TRUE(valuesNear(qb, {q[0], q[1], q[2], q[3]}, 1e-4f)) << th;
    }
    // A hair short of a half turn, w is too small to recover: reported as 0, the axis kept.
    float k[3] = {0.6f, 0.0f, 0.8f};
    rotkth(m, k, PI_F - 1e-3f);
    mat2q(qb, m);
    EXPECT_TRUE(valuesNear(qb, {0, k[0], k[1], k[2]}, 2e-3f));
}
