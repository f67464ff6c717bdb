// Terrain tests: bilinear height queries with clamping, normals, tiny maps, what the display
// lists put on screen and the list names they hold.
#include "Terrain.h"
#include "support/fakes.h"
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
// Display lists in use (far more names than the tests make).
int liveLists() { return testgl::namesInUse(glIsList, 1 << 16); }
class TerrainTest : public GLTest {};
}  // namespace

TEST_F(TerrainTest, HeightQueriesAreBilinearAndClampedOntoTheGrid) {
    // 3x3, scale 256 so heights equal the bytes. Vertex (r, c) stands at x = c - 1.5, z = 1.5 - r.
    Terrain t(heightMap("bilin.tga", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}).c_str(), false,
              256.0f, false, nullptr), empty;
    EXPECT_EQ(empty.GetHeight(0, 0), 0.0f);
    const float inf = INFINITY, nan = NAN;
    // Corners, cell centres, along the last column and row 0, clamped, not a number.
    const struct { float x, z, height; } cases[] = {{-1.5f, 1.5f, 10}, {0.5f, -0.5f, 90},
        {-1.0f, 1.0f, 30}, {0.0f, 0.0f, 70}, {0.5f, 0.25f, 67.5f}, {-1.25f, 1.5f, 12.5f},
        {5.0f, 1.0f, 45}, {-0.5f, 40.0f, 20}, {inf, -inf, 90}, {nan, -0.5f, 70}, {0.5f, nan, 30}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(t.GetHeight(c.x, c.z), c.height) << "at x " << c.x << ", z " << c.z;
}

TEST_F(TerrainTest, NormalsSumTheUpwardUnitNormalsOfTheTrianglesAround) {
    const float s = std::sqrt(0.5f);
    // Slope: one unit per column towards +x, 45 degrees. Bump: one unit up, east of the centre;
    // its triangles tilt, the others lie flat.
    std::vector<int> slope, bump = {0, 0, 0, 0, 0, 16, 0, 0, 0};
    for (int i = 0; i < 16; ++i) slope.push_back(16 * (i % 4));
    struct Case { std::vector<int> heights; int w, h, vertex; float nx, ny, nz; };
    const Case cases[] = {{slope, 4, 4, 0, -s, s, 0}, {slope, 4, 4, 5, -s, s, 0},  // corner, inside
        {bump, 3, 3, 4, -0.382683f, 0.923880f, 0},  // two tilted unit normals, two flat
        {bump, 3, 3, 2, 0, s, s},  // south of the top
        {{64}, 1, 1, 0, 0, 1, 0}, {{1, 2, 3, 4, 5}, 5, 1, 4, 0, 1, 0}};  // no triangles: level
    for (const auto& c : cases) {
        Terrain t(heightMap("n.tga", c.w, c.h, c.heights).c_str(), true, 16.0f, false, nullptr);
        glCallList(t.GetDLIndex());  // safe even for a map one pixel thin
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " map, vertex " << c.vertex);
        const float* n = t.N + c.vertex * 3;
        EXPECT_NEAR(n[0], c.nx, 1e-5);
        EXPECT_NEAR(n[1], c.ny, 1e-5);
        EXPECT_NEAR(n[2], c.nz, 1e-5);
    }
}

TEST_F(TerrainTest, TheWholeListDrawsUpwardGroundAndRestoresTheTextureMatrix) {
    std::vector<uint8_t> cyan, texel = {50, 200, 100};  // B, G, R (and A), as the files hold them
    for (int i = 0; i < 16; ++i) cyan.insert(cyan.end(), {255, 255, 0, 128});
    // A 4x4 map at 32 bits spans x -2 to 1, z -1 to 2.
    Terrain t(writeTga(tempPath("cyan.tga"), 4, 4, 32, cyan).c_str(), true, 15.0f, true,
              writeTga(tempPath("texel.tga"), 1, 1, 24, texel).c_str());
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4, 4, -4, 4, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90, 1, 0, 0);  // look straight down: world z goes to screen -y
    glEnable(GL_CULL_FACE);  // keeps only upward faces
    glEnable(GL_TEXTURE_2D);
    glCallList(t.GetDLIndex());
    // World (x, z) = (-0.5, 0.5) lands at pixel (350, 350), in cyan times the texel.
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(350, 350), 0, 199, 50, 3));
    // The list pops the texture matrix it pushed.
    EXPECT_EQ(testgl::getInt(GL_TEXTURE_STACK_DEPTH), 1);
}

// The scene draws blocks; the whole surface, about 4 MB for its map, waits until asked for.
TEST_F(TerrainTest, TheWholeListIsCompiledOnlyWhenAskedFor) {
    const int before = liveLists();
    Terrain t(heightMap("lazy.tga", 40, 40, std::vector<int>(1600, 7)).c_str(), false, 1, 0, 0);
    const int blocks = liveLists() - before;
    const GLuint whole = t.GetDLIndex();
    EXPECT_TRUE(glIsList(whole));
    EXPECT_EQ(liveLists() - before, blocks + 1);
    EXPECT_EQ((GLuint)t.GetDLIndex(), whole);  // compiled once
}

TEST_F(TerrainTest, ASecondCreateDLReleasesEveryListOfTheFirst) {
    const int before = liveLists();
    Terrain t(heightMap("twice.tga", 40, 40, std::vector<int>(1600, 7)).c_str(), false, 1, 0, 0);
    t.GetDLIndex();
    const int made = liveLists() - before;
    t.CreateDL(0, 0, 0);
    t.GetDLIndex();
    EXPECT_EQ(liveLists() - before, made);
}

// Inside glBegin/glEnd every list call fails, glGenLists with 0: the one way to make it fail.
TEST_F(TerrainTest, AListNameGLCannotGiveIsReportedAndNothingIsDrawn) {
    Terrain t(heightMap("nonames.tga", 4, 4, std::vector<int>(16, 7)).c_str(), false, 1.0f,
              false, nullptr);
    glBegin(GL_POINTS);
    std::string said = quietly([&] { t.CreateDL(0, 0, 0); EXPECT_EQ(t.GetDLIndex(), 0); });
    glEnd();
    while (glGetError() != GL_NO_ERROR) continue;  // the failed calls' own errors
    EXPECT_NE(said.find("the whole surface"), std::string::npos) << said;
    EXPECT_NE(said.find("the blocks"), std::string::npos) << said;
    EXPECT_EQ(t.Draw(), 0);  // the map fills the view: its one block would show
}
