// Systems on a hand-driven clock: force order, the force-field limit.
#include "ParticleSystem.h"
#include "support/fakes.h"

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

TEST(ParticleSystem, ForcesApplyInTheOrderPushed) {
    fake::Scope fakes;  // frozen clock: the first step only reveals the accelerations
    HandSystem gd{GRAVITY, DRAG}, dg{DRAG, GRAVITY};
    Particle* a = gd.add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    Particle* b = dg.add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    gd.update();
    dg.update();
    // Drag at v = -1, size 1, mass 2 adds 0.1, and divides all it has by the mass; the
    // acceleration of the step before is cleared first (the particles start with 5).
    EXPECT_NEAR(a->getYAcceleration(), (-0.981 + 0.1) / 2, 1e-6);
    EXPECT_NEAR(b->getYAcceleration(), 0.1 / 2 - 0.981, 1e-6);
}

TEST(ParticleSystem, AnEleventhForceIsRefusedAndNothingBesideTheListChanges) {
    fake::Scope fakes;
    HandSystem s{GRAVITY, GRAVITY, GRAVITY, GRAVITY, GRAVITY,
                 GRAVITY, GRAVITY, GRAVITY, GRAVITY, GRAVITY};
    Particle* p = s.add(default3dVector);
    // What a build without assertions runs: nothing stored, the fields after the list intact.
    quietly([&] { EXPECT_FALSE(s.appendForceField(DRAG)); });
    EXPECT_EQ(s.getNumForceFields(), 10);
    EXPECT_EQ(s.getParticle(0), p);
}

TEST(ParticleSystem, PopRemovesTheLastForceAndStopsAtAnEmptyList) {
    fake::Scope fakes;
    HandSystem s{GRAVITY, GRAVITY, GRAVITY, DRAG};
    Particle* p = s.add(default3dVector);
    s.popForceField();
    s.update();  // three gravities left, no drag
    EXPECT_NEAR(p->getYAcceleration(), -0.981 * 3, 1e-5);
    for (int i = 0; i < 5; i++) s.popForceField();
    EXPECT_EQ(s.getNumForceFields(), 0);
    s.update();
    EXPECT_EQ(p->getYAcceleration(), 0.0f);
}
