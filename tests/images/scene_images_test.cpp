// Checks on the generated scene images: format, the terrain's basin, tiling, sprite alpha.
#include "TGALoader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {
struct Loaded {
    ImageInfo info;
    bool ok;
    explicit Loaded(const char* path) { ok = TGA_Load(&info, path); }
    ~Loaded() {
        if (ok) free(info.imageData);
    }
    int at(int x, int y, int ch) const {
        return info.imageData[((size_t)y * info.width + x) * (info.bpp / 8) + ch];
    }
};

// Mean absolute colour step between columns a and b (rows likewise when `rows`).
double step(const Loaded& img, int a, int b, bool rows) {
    double sum = 0;
    int n = rows ? img.info.width : img.info.height;
    for (int i = 0; i < n; ++i)
        for (int ch = 0; ch < 3; ++ch)
            sum += rows ? std::abs(img.at(i, a, ch) - img.at(i, b, ch))
                        : std::abs(img.at(a, i, ch) - img.at(b, i, ch));
    return sum / (3.0 * n);
}
}  // namespace

TEST(SceneImages, DepthsSeamlessTilesAndSpritesFadingToTransparentEdges) {
    const struct {
        const char* path;
        unsigned bpp;
        bool tiles;
    } files[] = {{"tga/ground3.tga", 24, false}, {"tga/ground4.tga", 24, true},
                 {"tga/clouds3.tga", 24, true},  {"tga/clouds2.tga", 24, true},
                 {"tga/moon.tga", 32, false},    {"tga/fire3.tga", 32, false},
                 {"tga/spark1.tga", 32, false}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        Loaded img(f.path);
        ASSERT_TRUE(img.ok);
        EXPECT_EQ(img.info.bpp, f.bpp);
        int w = img.info.width, h = img.info.height;
        if (f.tiles) {
            double inner = (step(img, w / 2, w / 2 + 1, false) + step(img, h / 2, h / 2 + 1, true)) / 2;
            EXPECT_LT(step(img, w - 1, 0, false), 2.5 * inner + 2.0) << "left/right seam";
            EXPECT_LT(step(img, h - 1, 0, true), 2.5 * inner + 2.0) << "top/bottom seam";
        }
        if (f.bpp == 32) {
            int edgeMax = 0;
            for (int i = 0; i < w; ++i) edgeMax = std::max({edgeMax, img.at(i, 0, 3), img.at(i, h - 1, 3)});
            for (int i = 0; i < h; ++i) edgeMax = std::max({edgeMax, img.at(0, i, 3), img.at(w - 1, i, 3)});
            EXPECT_EQ(edgeMax, 0);
            EXPECT_GE(img.at(w / 2, h / 2, 3), 200) << "centre should be nearly opaque";
        }
    }
}

TEST(SceneImages, HeightMapHasLowFlatBasinAtOriginAndHillsAround) {
    Loaded map("tga/ground3.tga");
    ASSERT_TRUE(map.ok);
    ASSERT_EQ(map.info.width, 256u);
    ASSERT_EQ(map.info.height, 256u);
    int basinMax = 0, farMax = 0;
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < 256; ++c) {
            double d = std::hypot(c - 128.0, 128.0 - r);
            int h = map.at(c, r, 2);  // heights come from the last byte of a 24-bit pixel
            if (d <= 10.0) basinMax = std::max(basinMax, h);
            if (d >= 60.0) farMax = std::max(farMax, h);
        }
    EXPECT_LE(basinMax * 15.0 / 256.0, 1.0) << "the basin floor near the fire must be low";
    EXPECT_GE(farMax * 15.0 / 256.0, 6.0) << "hills expected away from the centre";
}
