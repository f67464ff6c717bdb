#include "ParticleSystem.h"
#include "particle/fake_clock.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {
// A system whose particles the test places by hand.
class HandSystem : public ParticleSystem {
public:
    ~HandSystem() override {
        for (int i = 0; i < numParticles; i++) delete myParticles[i];
    }
    Particle* add(QOR3dVector velocity, float mass = 1.0f) {
        Particle* p = new Particle(default3dVector, velocity, default3dVector, defaultColor,
                                   Particle::PARTICLE_POLYGON, true, 100.0f, 1.0f, mass);
        myParticles[numParticles++] = p;
        return p;
    }
};

std::unique_ptr<HandSystem> quietSystem(std::initializer_list<aForce> forces) {
    std::unique_ptr<HandSystem> s(new HandSystem);
    testing::internal::CaptureStdout();
    for (aForce f : forces) s->pushForceField(f);
    testing::internal::GetCapturedStdout();
    return s;
}
}  // namespace

TEST(ParticleSystem, WithoutForcesParticlesFlyStraightAtConstantSpeed) {
    fakeclock::Scope clocks;
    auto s = quietSystem({});
    EXPECT_FALSE(s->isPaused());
    Particle* p = s->add(QOR3dVector(1.0f, 2.0f, -3.0f));
    p->setAcceleration(QOR3dVector(5.0f, 5.0f, 5.0f));  // stale: cleared by the step
    for (int step = 1; step <= 3; step++) {
        fakeclock::advance(0.5);
        s->update();
        EXPECT_FLOAT_EQ(p->getXPosition(), 0.5f * step);
        EXPECT_FLOAT_EQ(p->getYPosition(), 1.0f * step);
        EXPECT_FLOAT_EQ(p->getZPosition(), -1.5f * step);
        EXPECT_FLOAT_EQ(p->getYVelocity(), 2.0f);
        EXPECT_EQ(p->getXAcceleration(), 0.0f);
    }
}

TEST(ParticleSystem, ForcesApplyInOrderAndDragDividesEverythingByMass) {
    fakeclock::Scope clocks;  // frozen clock: the step reveals the accelerations only
    auto gravityThenDrag = quietSystem({&ForceField::forceGravity, &ForceField::forceDrag});
    Particle* a = gravityThenDrag->add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    gravityThenDrag->update();
    // k = size/mass = 0.5; y: (-0.981 + 1*1*0.2*1*0.5) / 2, x: (0 - 0.25*0.2*0.5) / 2.
    EXPECT_NEAR(a->getYAcceleration(), -0.4405, 1e-6);
    EXPECT_NEAR(a->getXAcceleration(), -0.0125, 1e-6);
    EXPECT_EQ(a->getZAcceleration(), 0.0f);

    auto dragThenGravity = quietSystem({&ForceField::forceDrag, &ForceField::forceGravity});
    Particle* b = dragThenGravity->add(QOR3dVector(0.5f, -1.0f, 0.0f), 2.0f);
    dragThenGravity->update();
    EXPECT_NEAR(b->getYAcceleration(), 0.05 - 0.981, 1e-6);

    auto magnet = quietSystem({&ForceField::forceMagnet, &ForceField::forceMagnet});
    Particle* c = magnet->add(default3dVector);
    c->setPosition(QOR3dVector(1.0f, -2.0f, 0.0f));
    magnet->update();
    EXPECT_NEAR(c->getXAcceleration(), 0.4, 1e-6);  // two pushes add up
    EXPECT_NEAR(c->getYAcceleration(), -0.8, 1e-6);
    EXPECT_EQ(c->getZAcceleration(), 0.0f);
}

TEST(ParticleSystem, GravityAndDragSettleNearTerminalSpeed) {
    fakeclock::Scope clocks;
    auto s = quietSystem({&ForceField::forceGravity, &ForceField::forceDrag});
    Particle* p = s->add(QOR3dVector(0.3f, 1.5f, -0.3f));
    for (int i = 0; i < 3000; i++) {
        fakeclock::advance(0.01);
        s->update();
    }
    EXPECT_NEAR(p->getYVelocity(), -std::sqrt(0.981 / 0.2), 0.01);  // about -2.21
    EXPECT_LT(std::fabs(p->getXVelocity()), 0.2f);
    EXPECT_TRUE(p->isAlive());
}

TEST(ParticleSystem, PauseFreezesParticlesAndExcludesPausedTime) {
    fakeclock::Scope clocks;
    auto s = quietSystem({});
    Particle* p = s->add(QOR3dVector(1.0f, 0.0f, 0.0f));
    s->pause();
    EXPECT_TRUE(s->isPaused());
    EXPECT_TRUE(p->isPaused());
    fakeclock::advance(3.0);
    s->update();
    EXPECT_EQ(p->getXPosition(), 0.0f);
    s->pause();
    EXPECT_FALSE(p->isPaused());
    fakeclock::advance(0.25);
    s->update();
    EXPECT_FLOAT_EQ(p->getXPosition(), 0.25f);

    auto empty = quietSystem({});
    empty->pause();
    EXPECT_TRUE(empty->isPaused());
    empty->update();
}

TEST(ParticleSystem, TenForcesFitAndTheEleventhIsRefused) {
    auto s = quietSystem({});
    Particle* p = s->add(default3dVector);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 10; i++) s->pushForceField(&ForceField::forceGravity);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Adding force 0\n"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 15), "Adding force 9\n");
    EXPECT_EQ(s->getNumForceFields(), 10);

#ifndef NDEBUG
    EXPECT_DEATH(s->pushForceField(&ForceField::forceDrag), "numForceFields < MAX_NUM_FORCEFIELDS");
#endif
    // The path a build without assertions takes: nothing stored, neighbours intact.
    testing::internal::CaptureStdout();
    EXPECT_FALSE(s->appendForceField(&ForceField::forceDrag));
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Adding force"), std::string::npos);
    EXPECT_EQ(s->getNumForceFields(), 10);
    EXPECT_EQ(s->getNumParticles(), 1);
    EXPECT_EQ(s->getParticle(0), p);

    fakeclock::Scope clocks;
    s->update();  // ten gravities
    EXPECT_NEAR(p->getYAcceleration(), -9.81, 1e-5);

    s->popForceField();
    EXPECT_EQ(s->getNumForceFields(), 9);
    s->update();
    EXPECT_NEAR(p->getYAcceleration(), -0.981 * 9, 1e-5);
    for (int i = 0; i < 12; i++) s->popForceField();
    EXPECT_EQ(s->getNumForceFields(), 0);
}

class ParticleSystemDrawTest : public GLTest {};

TEST_F(ParticleSystemDrawTest, DrawBindsItsTextureAndShowsIt) {
    // A 2x2 pure green sprite: bytes are blue, green, red.
    std::string path = tgatest::writeTga(tgatest::tempPath("green.tga"), 2, 2, 24,
                                         {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0});
    auto s = quietSystem({});
    s->add(default3dVector)->setSize(0.5f);
    s->setTexture(path);
    EXPECT_EQ(s->getTexture(), path);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    s->draw();
    glFinish();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_NE(bound, 0);
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(400, 400), 0, 255, 0, 2));
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(400, 700), 0, 0, 0, 0));
    glDisable(GL_TEXTURE_2D);
}
