// Terrain tests: heights and colours from the image, bounds, bilinear queries with clamping,
// normals, tiny maps, and what the display list puts on screen.
#include "Terrain.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <unistd.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using tgatest::tempPath;
using tgatest::writeFlatTga;
using tgatest::writeTga;

namespace {

// 24-bit map in file order (B, G, R) whose heights are the given bytes, row 0 first; the red
// and green bytes are filled with noise so a wrong channel shows.
std::string heightMap(const std::string& name, int w, int h, const std::vector<int>& heights) {
    std::vector<uint8_t> px;
    for (int i = 0; i < w * h; ++i) {
        px.push_back((uint8_t)heights[i]);
        px.push_back((uint8_t)(37 * i + 11));
        px.push_back((uint8_t)(91 * i + 5));
    }
    return writeTga(tempPath(name), w, h, 24, px);
}

}  // namespace

class TerrainTest : public GLTest {};

TEST_F(TerrainTest, HeightsComeFromTheLastByteScaledBy1Over256) {
    Terrain flat(writeFlatTga(tempPath("flat.tga"), 4, 3, 24, 128).c_str(), true, 15.0f, false,
                 nullptr);
    EXPECT_EQ(flat.GetWidth(), 4);
    EXPECT_EQ(flat.GetLength(), 3);
    EXPECT_EQ(flat.mode, 3);
    EXPECT_EQ(flat.C, nullptr);
    for (int i = 0; i < 12; ++i) {
        EXPECT_FLOAT_EQ(flat.T[i], 7.5f);
        EXPECT_NEAR(flat.N[i * 3 + 0], 0.0f, 1e-6);
        EXPECT_NEAR(flat.N[i * 3 + 1], 1.0f, 1e-6);
        EXPECT_NEAR(flat.N[i * 3 + 2], 0.0f, 1e-6);
    }
    EXPECT_FLOAT_EQ(flat.GetHeight(0.3f, -0.7f), 7.5f);

    Terrain top(writeFlatTga(tempPath("top.tga"), 2, 2, 24, 255).c_str(), false, 15.0f, false,
                nullptr);
    EXPECT_FLOAT_EQ(top.T[3], 255.0f * 15.0f / 256.0f);
    EXPECT_EQ(top.N, nullptr);

    // 24-bit: blue (first in the file) is the height.
    Terrain rgb(heightMap("rgb.tga", 2, 2, {0, 64, 128, 192}).c_str(), false, 16.0f, false,
                nullptr);
    EXPECT_FLOAT_EQ(rgb.T[0], 0.0f);
    EXPECT_FLOAT_EQ(rgb.T[1], 4.0f);
    EXPECT_FLOAT_EQ(rgb.T[3], 12.0f);

    // 32-bit: alpha is the height, red/green/blue over 256 the colour.
    std::vector<uint8_t> px = {30, 60, 90, 128, 0, 0, 255, 64};  // B, G, R, A per pixel
    Terrain rgba(writeTga(tempPath("rgba.tga"), 2, 1, 32, px).c_str(), false, 15.0f, false,
                 nullptr);
    EXPECT_EQ(rgba.mode, 4);
    ASSERT_NE(rgba.C, nullptr);
    EXPECT_FLOAT_EQ(rgba.T[0], 7.5f);
    EXPECT_FLOAT_EQ(rgba.T[1], 3.75f);
    EXPECT_FLOAT_EQ(rgba.C[0], 90 / 256.0f);
    EXPECT_FLOAT_EQ(rgba.C[1], 60 / 256.0f);
    EXPECT_FLOAT_EQ(rgba.C[2], 30 / 256.0f);
    EXPECT_FLOAT_EQ(rgba.C[3], 255 / 256.0f);
}

TEST_F(TerrainTest, BoundsForEvenAndOddSizes) {
    Terrain odd(writeFlatTga(tempPath("odd.tga"), 257, 3, 24, 0).c_str(), false, 1.0f, false,
                nullptr);
    EXPECT_FLOAT_EQ(odd.GetMinX(), -128.5f);
    EXPECT_FLOAT_EQ(odd.GetMaxX(), 128.5f);
    EXPECT_FLOAT_EQ(odd.GetMinZ(), -1.5f);
    EXPECT_FLOAT_EQ(odd.GetMaxZ(), 1.5f);

    Terrain even(writeFlatTga(tempPath("even.tga"), 256, 256, 24, 0).c_str(), false, 1.0f,
                 false, nullptr);
    EXPECT_FLOAT_EQ(even.GetMinX(), -128.0f);
    EXPECT_FLOAT_EQ(even.GetMaxX(), 128.0f);
    EXPECT_FLOAT_EQ(even.GetMinZ(), -128.0f);
    EXPECT_FLOAT_EQ(even.GetMaxZ(), 128.0f);
}

TEST_F(TerrainTest, BilinearHeightsAndClampingOffTheGrid) {
    // 3x3, scale 256 so heights equal the bytes. Vertex (r, c) stands at x = c - 1.5,
    // z = 1.5 - r.
    Terrain t(heightMap("bilin.tga", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}).c_str(), false,
              256.0f, false, nullptr);
    EXPECT_FLOAT_EQ(t.GetHeight(-1.5f, 1.5f), 10.0f);  // row 0, column 0
    EXPECT_FLOAT_EQ(t.GetHeight(0.5f, 1.5f), 30.0f);   // last column exactly
    EXPECT_FLOAT_EQ(t.GetHeight(-1.5f, -0.5f), 70.0f); // last row exactly
    EXPECT_FLOAT_EQ(t.GetHeight(0.5f, -0.5f), 90.0f);  // far corner
    EXPECT_FLOAT_EQ(t.GetHeight(-1.0f, 1.0f), (10 + 20 + 40 + 50) / 4.0f);  // cell centre
    EXPECT_FLOAT_EQ(t.GetHeight(0.0f, 0.0f), (50 + 60 + 80 + 90) / 4.0f);
    EXPECT_FLOAT_EQ(t.GetHeight(0.5f, 0.25f), 60 + 0.25f * 30);  // along the last column
    EXPECT_FLOAT_EQ(t.GetHeight(-1.25f, 1.5f), 12.5f);           // along row 0

    // Off the grid the nearest edge answers.
    EXPECT_FLOAT_EQ(t.GetHeight(-1e6f, 1e6f), 10.0f);
    EXPECT_FLOAT_EQ(t.GetHeight(1e6f, -1e6f), 90.0f);
    EXPECT_FLOAT_EQ(t.GetHeight(5.0f, 1.0f), 30 + 0.5f * 30);
    EXPECT_FLOAT_EQ(t.GetHeight(-0.5f, 40.0f), 20.0f);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FLOAT_EQ(t.GetHeight(inf, -inf), 90.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ(t.GetHeight(nan, nan), 10.0f);
    EXPECT_FLOAT_EQ(t.GetHeight(nan, -0.5f), 70.0f);
    EXPECT_FLOAT_EQ(t.GetHeight(0.5f, nan), 30.0f);
}

TEST_F(TerrainTest, NormalsTiltAwayFromTheRise) {
    // Height rises by one unit per column towards +x: slope 45 degrees.
    std::vector<int> h;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) h.push_back(16 * c);
    Terrain t(heightMap("slope.tga", 4, 4, h).c_str(), true, 16.0f, false, nullptr);
    const float s = std::sqrt(0.5f);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(t.N[i * 3 + 0], -s, 1e-5) << i;
        EXPECT_NEAR(t.N[i * 3 + 1], s, 1e-5) << i;
        EXPECT_NEAR(t.N[i * 3 + 2], 0.0f, 1e-5) << i;
    }
}

TEST_F(TerrainTest, MapsThinnerThanTwoPixelsStaySafe) {
    for (auto wh : {std::pair<int, int>{1, 1}, {1, 5}, {5, 1}}) {
        std::string p = writeFlatTga(tempPath("thin.tga"), wh.first, wh.second, 24, 64);
        Terrain t(p.c_str(), true, 16.0f, false, nullptr);
        for (int i = 0; i < wh.first * wh.second; ++i) {
            EXPECT_FLOAT_EQ(t.N[i * 3 + 1], 1.0f);
            EXPECT_FLOAT_EQ(t.T[i], 4.0f);
        }
        EXPECT_FLOAT_EQ(t.GetHeight(0.0f, 0.0f), 4.0f);
        EXPECT_FLOAT_EQ(t.GetHeight(100.0f, -100.0f), 4.0f);
        glCallList(t.GetDLIndex());
    }
    Terrain empty;
    EXPECT_FLOAT_EQ(empty.GetHeight(0.0f, 0.0f), 0.0f);
}

TEST_F(TerrainTest, DisplayListDrawsUpwardFacingGroundWithItsColours) {
    // 4x4 red map at 32 bits: x from -2 to 1, z from -1 to 2.
    std::vector<uint8_t> px;
    for (int i = 0; i < 16; ++i) px.insert(px.end(), {0, 0, 255, 128});
    Terrain t(writeTga(tempPath("red.tga"), 4, 4, 32, px).c_str(), true, 15.0f, false, nullptr);

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4, 4, -4, 4, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90, 1, 0, 0);  // look straight down: world z goes to screen -y
    glEnable(GL_CULL_FACE);  // only faces that point up at the viewer survive
    glCallList(t.GetDLIndex());
    glDisable(GL_CULL_FACE);
    glFinish();
    // World (x, z) = (-0.5, 0.5) lands at eye (-0.5, -0.5), pixel (350, 350).
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(350, 350), 255, 0, 0, 2));
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(700, 700), 0, 0, 0, 0));
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(450, 150), 0, 0, 0, 0));  // x 0.5, z 2.5
}

TEST_F(TerrainTest, TexturedListRestoresTheTextureMatrix) {
    std::string map = writeFlatTga(tempPath("tmap.tga"), 4, 4, 24, 0);
    std::vector<uint8_t> green;
    for (int i = 0; i < 4; ++i) green.insert(green.end(), {0, 200, 0});
    std::string tex = writeTga(tempPath("green.tga"), 2, 2, 24, green);
    Terrain t(map.c_str(), false, 1.0f, true, tex.c_str());
    ASSERT_NE(t.myTexture, nullptr);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4, 4, -4, 4, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90, 1, 0, 0);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    GLint depthBefore = 0, depthAfter = 0, modeAfter = 0;
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depthBefore);
    glCallList(t.GetDLIndex());
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depthAfter);
    glGetIntegerv(GL_MATRIX_MODE, &modeAfter);
    glDisable(GL_TEXTURE_2D);
    glFinish();
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(modeAfter, GL_MODELVIEW);
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(350, 350), 0, 200, 0, 3));
}

TEST(TerrainDeath, MissingHeightMapEndsProcessWithStatusOne) {
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Terrain t("tga/no_such_height_map.tga", true, 15.0f, false, nullptr);
        },
        testing::ExitedWithCode(1),
        "Attepting to open file: tga/no_such_height_map\\.tga\nCould not load height image file!!");
}
