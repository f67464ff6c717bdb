// Sprite outlines and their bounds: every place linear filtering can give alpha above 0 lies
// inside, on small made-up sprites with and without wrapping (the cut squares on screen are
// compared with whole ones in the system draw tests).
#include "SpriteOutline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Far squares are cut to the outline's bounding rectangle.
TEST(SpriteOutline, BoundsEncloseEveryCornerOfTheOutline) {
    std::vector<unsigned char> two(8 * 8 * 4, 0);
    two[(1 * 8 + 1) * 4 + 3] = 9;  // texels (1, 1) and (6, 6): a diagonal band, corners cut
    two[(6 * 8 + 6) * 4 + 3] = 9;
    SpriteOutline outline = spriteOutline(two.data(), 8, 8, false);
    SpriteOutline box = outline.bounds();
    ASSERT_GT(outline.corners, 4);
    EXPECT_EQ(box.corners, 4);
    for (int v = 0; v < outline.corners; v++) {
        for (int k = 0; k < 2; k++) {  // box corners 0 and 2 are its lowest and highest
            EXPECT_GE(outline.st[v][k], box.st[0][k]) << "corner " << v << ", axis " << k;
            EXPECT_LE(outline.st[v][k], box.st[2][k]) << "corner " << v << ", axis " << k;
        }
    }
}
