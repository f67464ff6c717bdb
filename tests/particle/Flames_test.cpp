// A fire: dead slots come back at the source at their rate, rebirth frees what it replaces;
// flame and smoke fade by the frame.
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

// Each dead slot has an even chance a frame to come back at the fire's source as it is now,
// every ninth as grey smoke. The clock is frozen, so nobody moves once born.
TEST_F(FlamesTest, AboutHalfTheDeadComeBackEachFrameAtTheSource) {
    fake::useStream(29);
    const int N = 9000;
    std::unique_ptr<Flames> f = make(N);
    f->setPosition(QOR3dVector(4, 5, 6));
    for (int i = 0; i < N; i++) f->getParticle(i)->setAlive(false);
    f->update();
    int back = 0, elsewhere = 0, smokeNotGrey = 0;
    for (int i = 0; i < N; i++) {
        Particle* p = f->getParticle(i);
        if (!p->isAlive()) continue;
        back++;
        const QOR3dVector at = p->getPosition();
        elsewhere += at.x != 4 || at.y != 5 || at.z != 6;
        smokeNotGrey += i % 9 == 0 && p->getColor().r != 0.1f;
    }
    EXPECT_NEAR(back, N / 2, N / 20);
    EXPECT_EQ(elsewhere, 0);
    EXPECT_EQ(smokeNotGrey, 0);
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
