// Checks on the generated scene images: format, the terrain's basin, tiling, sprite alpha.
#include "TGALoader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

struct Loaded {
    ImageInfo info;
    bool ok;
    explicit Loaded(const char* path) { ok = TGA_Load(&info, path); }
    ~Loaded() {
        if (ok) free(info.imageData);
    }
    int channels() const { return info.bpp / 8; }
    int at(int x, int y, int ch) const {
        return info.imageData[((size_t)y * info.width + x) * channels() + ch];
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

TEST(SceneImages, AllLoadWithTheirDepths) {
    const struct {
        const char* path;
        unsigned bpp;
    } files[] = {{"tga/ground3.tga", 24}, {"tga/ground4.tga", 24}, {"tga/clouds3.tga", 24},
                 {"tga/clouds2.tga", 24}, {"tga/moon.tga", 32},    {"tga/fire3.tga", 32},
                 {"tga/spark1.tga", 32}};
    for (const auto& f : files) {
        Loaded img(f.path);
        ASSERT_TRUE(img.ok) << f.path;
        EXPECT_EQ(img.info.bpp, f.bpp) << f.path;
    }
}

TEST(SceneImages, HeightMapHasLowFlatBasinAtOriginAndHillsAround) {
    Loaded map("tga/ground3.tga");
    ASSERT_TRUE(map.ok);
    ASSERT_EQ(map.info.width, 256u);
    ASSERT_EQ(map.info.height, 256u);
    const int last = 2;  // heights come from the last byte of a 24-bit pixel
    int basinMax = 0, farMax = 0;
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            double x = c - 128.0, z = 128.0 - r;
            int h = map.at(c, r, last);
            if (std::hypot(x, z) <= 10.0) basinMax = std::max(basinMax, h);
            if (std::hypot(x, z) >= 60.0) farMax = std::max(farMax, h);
        }
    }
    EXPECT_LE(basinMax * 15.0 / 256.0, 1.0) << "the basin floor near the fire must be low";
    EXPECT_GE(farMax * 15.0 / 256.0, 6.0) << "hills expected away from the centre";
}

TEST(SceneImages, RepeatedSurfacesTileWithoutSeams) {
    for (const char* path : {"tga/ground4.tga", "tga/clouds3.tga", "tga/clouds2.tga"}) {
        Loaded img(path);
        ASSERT_TRUE(img.ok) << path;
        int w = img.info.width, h = img.info.height;
        double inner = (step(img, w / 2, w / 2 + 1, false) + step(img, h / 2, h / 2 + 1, true)) / 2;
        EXPECT_LT(step(img, w - 1, 0, false), 2.5 * inner + 2.0) << path << " left/right seam";
        EXPECT_LT(step(img, h - 1, 0, true), 2.5 * inner + 2.0) << path << " top/bottom seam";
    }
}

TEST(SceneImages, SpritesAndMoonFadeToTransparentEdges) {
    for (const char* path : {"tga/moon.tga", "tga/fire3.tga", "tga/spark1.tga"}) {
        Loaded img(path);
        ASSERT_TRUE(img.ok) << path;
        int w = img.info.width, h = img.info.height;
        int edgeMax = 0;
        for (int i = 0; i < w; ++i) edgeMax = std::max({edgeMax, img.at(i, 0, 3), img.at(i, h - 1, 3)});
        for (int i = 0; i < h; ++i) edgeMax = std::max({edgeMax, img.at(0, i, 3), img.at(w - 1, i, 3)});
        EXPECT_EQ(edgeMax, 0) << path;
        EXPECT_GE(img.at(w / 2, h / 2, 3), 200) << path << " centre should be nearly opaque";
    }
}
