// Sprite outlines and their bounds: every place linear filtering can give alpha above 0 lies
// inside, on small made-up sprites with and without wrapping; and the scene's fire, drawn cut
// and whole, from near and far.
#include "SpriteOutline.h"
#include "support/scene.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

namespace {
// Whether GL's linear filter at (s, t) blends in a texel of alpha above 0.
bool filteredAlphaShows(const std::vector<unsigned char>& rgba, int w, int h, bool repeats,
                        double s, double t) {
    double x = s * w - 0.5, y = t * h - 0.5;
    for (int j = (int)std::floor(y); j <= (int)std::floor(y) + 1; j++)
        for (int i = (int)std::floor(x); i <= (int)std::floor(x) + 1; i++) {
            int ii = repeats ? (i + w) % w : std::clamp(i, 0, w - 1);
            int jj = repeats ? (j + h) % h : std::clamp(j, 0, h - 1);
            if (std::fabs(x - i) < 1 && std::fabs(y - j) < 1 && rgba[(jj * w + ii) * 4 + 3] > 0)
                return true;
        }
    return false;
}

// Inside or on the counter-clockwise polygon.
bool inside(const SpriteOutline& o, double s, double t) {
    for (int v = 0; v < o.corners; v++) {
        const float *a = o.st[v], *b = o.st[(v + 1) % o.corners];
        if ((b[0] - a[0]) * (t - a[1]) - (b[1] - a[1]) * (s - a[0]) < -1e-9) return false;
    }
    return o.corners > 0;
}
}  // namespace

// Small made-up sprites, a fifth of their texels showing, with and without wrapping.
TEST(SpriteOutline, EnclosesEveryPlaceWhereFilteringShowsAlpha) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; round++) {
        const int w = 4 + round % 5, h = 3 + round % 7, repeats = round % 2;
        std::vector<unsigned char> rgba(w * h * 4, 200);
        for (int p = 0; p < w * h; p++) rgba[p * 4 + 3] = random() % 5 ? 0 : 1 + round % 255;
        SpriteOutline o = spriteOutline(rgba.data(), w, h, repeats);
        ASSERT_LE(o.corners, (int)SpriteOutline::MAX_CORNERS);
        for (double s = 0; s <= 1; s += 1 / 128.0)
            for (double t = 0; t <= 1; t += 1 / 128.0)
                if (filteredAlphaShows(rgba, w, h, repeats, s, t)) {
                    ASSERT_TRUE(inside(o, s, t)) << "round " << round << " at " << s << ", " << t;
                }
    }
}

TEST(SpriteOutline, OneTexelReachesHalfItsNeighboursAndAQuarterTexelMore) {
    std::vector<unsigned char> one(8 * 8 * 4, 0);
    one[(3 * 8 + 2) * 4 + 3] = 9;  // texel (2, 3) of 8x8
    SpriteOutline box = spriteOutline(one.data(), 8, 8, true);
    ASSERT_EQ(box.corners, 4);
    // Texel i spans [i, i + 1]; filtering reaches half a texel beyond, and a quarter more.
    EXPECT_EQ(box.st[0][0], 1.25f / 8);
    EXPECT_EQ(box.st[0][1], 2.25f / 8);
    EXPECT_EQ(box.st[2][0], 3.75f / 8);
    EXPECT_EQ(box.st[2][1], 4.75f / 8);
}

TEST(SpriteOutline, AnOpaqueSpriteIsTheFullSquare) {
    std::vector<unsigned char> opaque(4 * 4 * 4, 255);
    EXPECT_TRUE(spriteOutline(opaque.data(), 4, 4, false).isFullSquare());
}

// The scene's fire from near (octagons) and far (rectangles): the system's cut squares show
// what the particles' own whole squares do.
TEST_F(SceneTest, TheFireCutToItsOutlineLooksLikeWholeSquaresNearAndFar) {
    static unsigned seed = 17;  // the fire's own random draws, fixed
    ParticleSystem::useRandomSource([] { return (int)((seed = seed * 1103515245u + 12345u) >> 1); });
    std::unique_ptr<Flames> fire;
    quietly([&] { fire.reset(new Flames(500, default3dVector)); });
    fire->setSize(10.0f);
    for (int i = 0; i < 120; i++) {
        fake::advance(1.0 / 30);
        fire->update();
    }
    ParticleSystem::useRandomSource(nullptr);
    ASSERT_FALSE(fire->getOutline().isFullSquare()) << "the fire's sprite has nothing to cut";
    // Pixels with red above the clear colour's 51, the fewest either way.
    const struct { float distance; int fewestLit; } views[] = {{5.0f, 20000}, {40.0f, 500}};
    for (const auto& v : views) {
        SCOPED_TRACE(testing::Message() << "from " << v.distance);
        myCamPos = QOR3dVector(0.0f, 3.0f, v.distance);
        std::vector<unsigned char> frames[2];
        for (bool whole : {false, true}) {  // the system's draw first: it binds the sprite
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            applyLookAt();
            applyWorldRotation();
            glEnable(GL_BLEND);  // the standing fire's state, place and scale in the frame
            glTranslatef(0.0f, 1.5f, 0.0f);
            glScalef(20.0f, 20.0f, 20.0f);
            if (whole)
                for (int i = 0; i < fire->getNumParticles(); i++) fire->getParticle(i)->draw();
            else
                fire->draw();
            frames[whole] = testgl::readBack(0, 0, 800, 800);
        }
        EXPECT_EQ(testgl::pixelsDiffering(frames[0], frames[1], 1), 0);
        EXPECT_GT(testgl::countPixels(frames[0], [](const unsigned char* p) { return p[0] > 60; }),
                  v.fewestLit);
    }
}
