// Systems on a hand-driven clock: force order, settling under drag, pause, the force-field limit.
#include "ParticleSystem.h"
#include "support/fakes.h"

#include <cmath>

namespace {
const aForce GRAVITY = &ForceField::forceGravity, DRAG = &ForceField::forceDrag;

// A system whose particles the test places by hand, with the given force fields.
struct HandSystem : ParticleSystem {
    explicit HandSystem(std::initializer_list<aForce> forces) {
        for (aForce f : forces) quietly([&] { pushForceField(f); });
    }
    ~HandSystem() override {
        for (int i = 0; i < numParticles; i++) delete myParticles[i];
    }
    Particle* add(QOR3dVector velocity, float mass = 1.0f) {
        return myParticles[numParticles++] =
                   new Particle(default3dVector, velocity, QOR3dVector(5, 5, 5), defaultColor,
                                Particle::PARTICLE_POLYGON, true, 100.0f, 1.0f, mass);
    }
};
}  // namespace

TEST(ParticleSystem, ForcesApplyInTheOrderPushedAndAFallSettlesUntilPaused) {
    fake::Scope fakes;  // frozen clock: the first step only reveals the accelerations
    HandSystem gd{GRAVITY, DRAG}, dg{DRAG, GRAVITY};
    Particle* a = gd.add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    Particle* b = dg.add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    gd.update();
    dg.update();
    EXPECT_NEAR(a->getYAcceleration(), -0.4405, 1e-6);
    EXPECT_NEAR(b->getYAcceleration(), 0.05 - 0.981, 1e-6);
    a->setVelocity(QOR3dVector(0.3f, 1.5f, -0.3f));
    a->setMass(1.0f);
    for (int i = 0; i < 3000; i++) {
        fake::advance(0.01);
        gd.update();
    }
    EXPECT_NEAR(a->getYVelocity(), -std::sqrt(0.981 / 0.2), 0.01);  // about -2.21
    float y = a->getYPosition();
    gd.pause();
    fake::advance(3.0);
    gd.update();
    EXPECT_EQ(a->getYPosition(), y);
    gd.pause();
    fake::advance(0.1);
    gd.update();  // only the time since resuming
    EXPECT_NEAR(a->getYPosition(), y + 0.1 * a->getYVelocity(), 1e-4);
}

TEST(ParticleSystem, TenForcesFitAndTheEleventhIsRefused) {
    fake::Scope fakes;
    HandSystem s{GRAVITY, GRAVITY, GRAVITY, GRAVITY, GRAVITY,
                 GRAVITY, GRAVITY, GRAVITY, GRAVITY, GRAVITY};
    Particle* p = s.add(default3dVector);
#ifndef NDEBUG
    EXPECT_DEATH(s.pushForceField(DRAG), "numForceFields < MAX_NUM_FORCEFIELDS");
#endif
    // What a build without assertions runs: nothing stored, the fields after the list intact.
    quietly([&] { EXPECT_FALSE(s.appendForceField(DRAG)); });
    EXPECT_TRUE(s.getNumForceFields() == 10 && s.getNumParticles() == 1 && s.getParticle(0) == p);
    s.popForceField();
    s.update();  // nine gravities left
    EXPECT_NEAR(p->getYAcceleration(), -0.981 * 9, 1e-5);
    for (int i = 0; i < 12; i++) s.popForceField();  // popping an empty list is harmless
    EXPECT_EQ(s.getNumForceFields(), 0);
}
