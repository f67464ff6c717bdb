// The scene's images: each one is there, decodes, and has the size and depth the scene expects.
#include "TGALoader.h"
#include "support/fakes.h"

#include <cstdlib>

TEST(SceneImages, EachImageDecodesAtItsSizeAndDepth) {
    const struct { const char* path; unsigned side, bpp; } files[] = {
        {"tga/ground3.tga", 256, 24}, {"tga/ground4.tga", 256, 24}, {"tga/clouds3.tga", 256, 24},
        {"tga/clouds2.tga", 256, 24}, {"tga/moon.tga", 128, 32},    {"tga/fire3.tga", 64, 32},
        {"tga/spark1.tga", 32, 32}};
    for (const auto& f : files) {
        ImageInfo info;
        bool ok = false;
        quietly([&] { ok = TGA_Load(&info, f.path); });
        ASSERT_TRUE(ok) << f.path;
        EXPECT_TRUE(info.width == f.side && info.height == f.side && info.bpp == f.bpp) << f.path;
        free(info.imageData);
    }
}
