// A fire: born at its source, reborn as flame or smoke by slot, fading by the frame.
#include "Flames.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/heap.h"

#include <cmath>
#include <memory>

namespace {
// Fires load their sprite, so they need GL; clock frozen and draws scripted (default 0.5).
class FlamesTest : public GLTest {
protected:
    std::unique_ptr<Flames> make(int n) {
        std::unique_ptr<Flames> f;
        quietly([&] { f.reset(new Flames(n, QOR3dVector(1.0f, 2.0f, 3.0f))); });
        return f;
    }
    // Kills every particle and scripts the draws that bring each back on the next update:
    // the smallest draw above one half, then shade, size, lifetime, and the three jitters.
    static void killAndScriptRebirths(Flames& f) {
        for (int i = 0; i < f.getNumParticles(); i++) {
            f.getParticle(i)->setAlive(false);
            fake::draws.push_back((1 << 30) + 1);
            fake::push({0.5, 0.5, 0.5, 0.25, 0.5, 0.75});
        }
    }
    fake::Scope fakes;
};
}  // namespace

TEST_F(FlamesTest, DeadSlotsReturnAtTheMovedSourceAsSmokeAtTheEndsAndFlameBetween) {
    std::unique_ptr<Flames> f = make(10);
    f->setSize(10.0f);
    f->setPosition(QOR3dVector(4.0f, 5.0f, 6.0f));
    killAndScriptRebirths(*f);
    f->update();
    // The scripted half draws: red half way up 0.8 to 1, half of 5 s of flame or 25 s of smoke.
    const struct { const char* what; float red, lifeTime; } FLAME = {"flame", 0.9f, 2.5f},
                                                             SMOKE = {"smoke", 0.1f, 12.5f};
    for (int i = 0; i < 10; i++) {
        const auto& want = (i == 0 || i == 9) ? SMOKE : FLAME;  // the first and last slots
        Particle* p = f->getParticle(i);
        SCOPED_TRACE(testing::Message() << "slot " << i << ", " << want.what);
        ASSERT_TRUE(p->isAlive());
        EXPECT_FLOAT_EQ(p->getColor().r, want.red);
        EXPECT_FLOAT_EQ(p->getLifeTime(), want.lifeTime);
        EXPECT_FLOAT_EQ(p->getYPosition(), 5.0f);
    }
}

TEST_F(FlamesTest, RebirthsGiveBackTheParticlesTheyReplace) {
    std::unique_ptr<Flames> f = make(500);
    killAndScriptRebirths(*f);
    f->update();
    long before = heapInUse();
    for (int round = 0; round < 20; round++) {
        killAndScriptRebirths(*f);
        f->update();
    }
    // Ten thousand particles replaced: kept, they would take over a megabyte.
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}

TEST_F(FlamesTest, FlamesReddenAndFadeFivePercentAFrameAndSmokeHalfAPercent) {
    std::unique_ptr<Flames> f = make(10);
    for (int i = 0; i < 10; i++) f->getParticle(i)->setColor(1, 1, 0.5f, 1);
    const int FRAMES = 20;
    for (int frame = 0; frame < FRAMES; frame++) f->update();  // the frozen clock ages nothing
    for (int i = 0; i < 10; i++) {
        bool smoke = i == 0 || i == 9;
        QORColor c = f->getParticle(i)->getColor();
        double fade = std::pow(smoke ? 0.995 : 0.95, FRAMES);  // the fire's rates per frame
        SCOPED_TRACE(testing::Message() << "slot " << i);
        EXPECT_EQ(c.r, 1.0f);
        EXPECT_NEAR(c.g, smoke ? 1.0 : fade, 1e-5);
        EXPECT_NEAR(c.alpha, fade, 1e-5);
    }
}
