// The scene's terrain drawn as the blocks in view against its whole list: the same pixels and
// the same current vertex state after, from views across, along, above and away from the map.
#include "Terrain.h"
#include "ViewVolume.h"
#include "character_driver.h"
#include "driver/scene_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
class TerrainBlocksTest : public SceneTest {
protected:
    // One terrain draw as the frame makes it, then the pixels and the current vertex state.
    std::vector<unsigned char> render(bool whole, std::vector<GLfloat>& vertexState) {
        drawWholeTerrain = whole;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        applyLookAt();
        applyWorldRotation();
        drawTerrain();
        drawWholeTerrain = false;
        vertexState.assign(8, 0.0f);
        glGetFloatv(GL_CURRENT_NORMAL, &vertexState[0]);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, &vertexState[3]);
        glFinish();
        return testgl::readBack(0, 0, 800, 800);
    }
};

int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int d = 0;
    for (size_t i = 0; i < a.size(); i++) d = std::max(d, std::abs(a[i] - b[i]));
    return d;
}
}  // namespace

TEST_F(TerrainBlocksTest, BlocksInViewDrawTheSamePixelsAsTheWholeList) {
    const QOR3dVector pos = myCamPos, dir = myCamDir;
    const float ground = myTerrain->GetHeight(-90.0f, 20.0f);
    const struct {
        const char* what;
        QOR3dVector eye, look;
        float angle, angleX, angleZ;
        int fewest, most;  // blocks drawn of 256
    } views[] = {
        {"start", {0, 3, 5}, {0, 0, -1}, 10, 0, 0, 8, 60},
        {"spun and tilted", {10, 6, -20}, {-1, -0.2f, 0.5f}, 130, 25, -15, 8, 120},
        {"along the ground", {-90, ground + 0.3f, 20}, {1, 0, 0.05f}, 0, 0, 0, 8, 80},
        {"from high above", {0, 90, 0}, {0.01f, -1, 0.2f}, 45, 0, 0, 8, 120},
        {"beyond the map, facing away", {0, 10, 150}, {0, 0, 1}, 0, 0, 0, 0, 0}};
    for (const auto& v : views) {
        myCamPos = v.eye;
        myCamDir = v.look;
        Angle = v.angle, AngleX = v.angleX, AngleZ = v.angleZ;
        std::vector<GLfloat> wholeState, blocksState;
        std::vector<unsigned char> whole = render(true, wholeState);
        std::vector<unsigned char> blocks = render(false, blocksState);
        EXPECT_LE(largestDifference(whole, blocks), 1) << v.what;
        EXPECT_EQ(wholeState, blocksState) << v.what;
        int drawn = myTerrain->GetBlocksDrawn();
        EXPECT_TRUE(drawn >= v.fewest && drawn <= v.most) << v.what << ": " << drawn;
    }
    EXPECT_EQ(myTerrain->GetBlockCount(), 256);
    myCamPos = pos, myCamDir = dir;
    Angle = 10.0f, AngleX = AngleZ = 0.0f;
}

TEST(ViewVolume, KeepsBoxesThatReachIntoTheVolumeOnly) {
    // Orthographic unit cube: clip = identity. Then a perspective frustum looking down -z
    // (near 1, far 100, 90 degrees).
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float frustum[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0, -200.0f / 99, 0};
    const struct {
        const float* clip;
        float lo[3], hi[3];
        bool visible;
    } cases[] = {{identity, {0.9f, 0.9f, 0.9f}, {3, 3, 3}, true},       // overlaps a corner
                 {identity, {1.01f, -5, -5}, {2, 5, 5}, false},          // beside it
                 {identity, {-9, -9, -9}, {9, 9, 9}, true},              // around it
                 {frustum, {-1, -1, -5}, {1, 1, -4}, true},              // ahead
                 {frustum, {-1, -1, 2}, {1, 1, 4}, false},               // behind the eye
                 {frustum, {-1, -1, -0.5f}, {1, 1, 0.5f}, false},        // short of the near plane
                 {frustum, {-1, -1, -2}, {1, 1, 3}, true},               // through the eye
                 {frustum, {-9, 0.5f, -8}, {9, 9, -4}, true},            // top edge
                 {frustum, {-9, 8.5f, -8}, {9, 9, -4}, false},           // above it
                 {frustum, {-1, -1, -150}, {1, 1, -120}, false}};        // past the far plane
    for (const auto& c : cases) EXPECT_EQ(boxMayBeVisible(c.clip, c.lo, c.hi), c.visible) << &c - cases;
    float product[16];
    multiplyColumnMajor(product, frustum, identity);
    EXPECT_TRUE(std::equal(product, product + 16, frustum));
}
