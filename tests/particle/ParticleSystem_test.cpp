// Systems on a frozen clock: drag, the force-field limit, popping.
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
    HandSystem s{GRAVITY, GRAVITY, DRAG, GRAVITY};
    Particle* p = s.add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    s.popForceField();
    s.update();  // two gravities, then drag; the first step only reveals the accelerations
    // Drag at v = -1, size 1, mass 2 adds 0.1 against the fall and divides all it has by the mass.
    EXPECT_NEAR(p->getYAcceleration(), (0.1 - 0.981 * 2) / 2, 1e-6);
    for (int i = 0; i < 5; i++) s.popForceField();
    EXPECT_EQ(s.getNumForceFields(), 0);
    s.update();
    EXPECT_EQ(p->getYAcceleration(), 0.0f);
}
