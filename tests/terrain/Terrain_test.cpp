// Terrain tests: heights and colours from the image, bilinear queries with clamping, normals,
// tiny maps, and what the display list puts on screen.
#include "Terrain.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <cmath>

using tgatest::tempPath;
using tgatest::writeTga;

namespace {
// 24-bit map whose heights (first byte of each pixel in the file) are the given bytes, row 0
// first; the other two bytes are noise so a wrong channel shows.
std::string heightMap(const std::string& name, int w, int h, const std::vector<int>& heights) {
    std::vector<uint8_t> px;
    for (int i = 0; i < w * h; ++i)
        px.insert(px.end(), {(uint8_t)heights[i], (uint8_t)(37 * i + 11), (uint8_t)(91 * i + 5)});
    return writeTga(tempPath(name), w, h, 24, px);
}
class TerrainTest : public GLTest {};
}  // namespace

TEST_F(TerrainTest, HeightsAndColoursFromTheImageBilinearAndClampedOffTheGrid) {
    // At 32 bits alpha is the height, red/green/blue over 256 the colour.
    std::vector<uint8_t> px = {30, 60, 90, 128, 0, 0, 255, 64};  // B, G, R, A per pixel
    Terrain rgba(writeTga(tempPath("rgba.tga"), 2, 1, 32, px).c_str(), false, 15.0f, false, nullptr);
    ASSERT_TRUE(rgba.mode == 4 && rgba.C != nullptr && rgba.N == nullptr);  // no normals asked for
    EXPECT_TRUE(rgba.T[0] == 7.5f && rgba.T[1] == 3.75f && rgba.C[0] == 90 / 256.0f &&
                rgba.C[1] == 60 / 256.0f && rgba.C[2] == 30 / 256.0f && rgba.C[3] == 255 / 256.0f);
    // 3x3 at 24 bits, scale 256 so heights equal the bytes. Vertex (r, c) stands at
    // x = c - 1.5, z = 1.5 - r.
    Terrain t(heightMap("bilin.tga", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}).c_str(), false,
              256.0f, false, nullptr), empty;
    EXPECT_TRUE(t.mode == 3 && t.C == nullptr && empty.GetHeight(0, 0) == 0.0f);
    const float inf = INFINITY, nan = NAN;
    const float cases[][3] = {
        {-1.5f, 1.5f, 10}, {0.5f, 1.5f, 30}, {-1.5f, -0.5f, 70}, {0.5f, -0.5f, 90},  // corners
        {-1.0f, 1.0f, 30}, {0.0f, 0.0f, 70},                // cell centres
        {0.5f, 0.25f, 67.5f}, {-1.25f, 1.5f, 12.5f},        // along the last column and row 0
        {-1e6f, 1e6f, 10}, {1e6f, -1e6f, 90}, {5.0f, 1.0f, 45}, {-0.5f, 40.0f, 20},  // clamped
        {inf, -inf, 90}, {nan, nan, 10}, {nan, -0.5f, 70}, {0.5f, nan, 30}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(t.GetHeight(c[0], c[1]), c[2]) << "at x " << c[0] << ", z " << c[1];
}

TEST_F(TerrainTest, NormalsSumTheUpwardUnitNormalsOfTheTrianglesAround) {
    const float s = std::sqrt(0.5f);
    // Slope: one unit per column towards +x, 45 degrees. Bump: one unit up, east of the centre;
    // its triangles tilt, the others lie flat.
    std::vector<int> slope, bump = {0, 0, 0, 0, 0, 16, 0, 0, 0};
    for (int i = 0; i < 16; ++i) slope.push_back(16 * (i % 4));
    struct Case { std::vector<int> heights; int w, h, vertex; float nx, ny, nz; };
    const Case cases[] = {{slope, 4, 4, -1, -s, s, 0},
        {bump, 3, 3, 4, -0.382683f, 0.923880f, 0},  // two tilted unit normals, two flat
        {bump, 3, 3, 5, -s, s, 0}, {bump, 3, 3, 2, 0, s, s},  // the top; south of it
        {{64}, 1, 1, -1, 0, 1, 0}, {{1, 2, 3, 4, 5}, 1, 5, -1, 0, 1, 0},  // no triangles at all:
        {{1, 2, 3, 4, 5}, 5, 1, -1, 0, 1, 0}};                            // level
    for (const auto& c : cases) {
        Terrain t(heightMap("n.tga", c.w, c.h, c.heights).c_str(), true, 16.0f, false, nullptr);
        glCallList(t.GetDLIndex());  // safe even for a map one pixel thin
        for (int i = 0; i < c.w * c.h; ++i) {
            if (c.vertex >= 0 && i != c.vertex) continue;  // -1: every vertex
            const float* n = t.N + i * 3;
            float off = std::fabs(n[0] - c.nx) + std::fabs(n[1] - c.ny) + std::fabs(n[2] - c.nz);
            EXPECT_LT(off, 1e-5f) << i << ": " << n[0] << " " << n[1] << " " << n[2];
        }
    }
}

TEST_F(TerrainTest, DisplayListsDrawUpwardGroundAndRestoreTheTextureMatrix) {
    std::vector<uint8_t> red, green = {0, 200, 0};  // a 4x4 map at 32 bits: x -2 to 1, z -1 to 2
    for (int i = 0; i < 16; ++i) red.insert(red.end(), {0, 0, 255, 128});
    Terrain plain(writeTga(tempPath("red.tga"), 4, 4, 32, red).c_str(), true, 15.0f, false, nullptr);
    Terrain textured(heightMap("tmap.tga", 4, 4, std::vector<int>(16, 0)).c_str(), false, 1.0f,
                     true, writeTga(tempPath("green.tga"), 1, 1, 24, green).c_str());
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4, 4, -4, 4, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90, 1, 0, 0);  // look straight down: world z goes to screen -y
    for (bool isPlain : {true, false}) {
        glColor3f(1, 1, 1);  // the coloured list leaves its last vertex colour behind
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(isPlain ? GL_CULL_FACE : GL_TEXTURE_2D);  // culling keeps only upward faces
        glCallList((isPlain ? plain : textured).GetDLIndex());
        glDisable(isPlain ? GL_CULL_FACE : GL_TEXTURE_2D);
        // World (x, z) = (-0.5, 0.5) lands at pixel (350, 350); x 0.5, z 2.5 is off the map.
        EXPECT_TRUE(
            testgl::pixelNear(testgl::pixelAt(350, 350), 255 * isPlain, 200 * !isPlain, 0, 3));
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(450, 150), 0, 0, 0, 0));
    }
    // The list pops what it pushed and goes back to the model-view matrix.
    EXPECT_TRUE(testgl::getInt(GL_MATRIX_MODE) == GL_MODELVIEW &&
                testgl::getInt(GL_TEXTURE_STACK_DEPTH) == 1);
}
