// A fire: rebirth frees what it replaces; flame and smoke fade by the frame.
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
