// The terrain drawn as the blocks in view against its whole list: on made-up maps seen through
// thin slabs that only a block with the right bounds reaches, and in the scene's backdrop.
#include "Terrain.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/matrices.h"
#include "support/scene.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <memory>

namespace {
const int SIDE = 17;            // one block of 16 x 16 cells
const float SCALE = 25.6f;      // a pixel value of 100 is a height of 10
const float PEAK = 10.0f;

// A 17 x 17 height map, flat at 0 unless given; the terrain built from it, untextured, with
// normals, and freed with the test.
class MapBlocks : public GLTest {
protected:
    // Grey levels (a level of 100 is a height of 10), one a pixel, in file order.
    void build(std::vector<uint8_t> levels = std::vector<uint8_t>(SIDE * SIDE, 0)) {
        std::vector<uint8_t> pixels;
        for (uint8_t v : levels) pixels.insert(pixels.end(), {v, v, v});
        std::string path = tgatest::writeTga(tgatest::tempPath("heights.tga"), SIDE, SIDE, 24,
                                             pixels);
        quietly([&] { terrain = std::make_unique<Terrain>(path.c_str(), true, SCALE, false, ""); });
    }
    // Looking straight down on the whole map through the slab of heights [low, high].
    void lookDownThrough(float low, float high) {
        const float EYE = 50.0f;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-10, 10, -10, 10, EYE - high, EYE - low);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, EYE, 0, 0, 0, 0, 0, 0, -1);
    }
    // Expects the blocks to show what the whole list shows, in white on black, and that to be
    // more than `fewest` pixels.
    void expectBlocksShowTheWholeList(int fewest) {
        std::vector<unsigned char> frames[2];
        for (int whole = 0; whole < 2; whole++) {
            glClear(GL_COLOR_BUFFER_BIT);
            glColor3f(1, 1, 1);
            whole ? glCallList(terrain->GetDLIndex()) : (void)terrain->Draw();
            frames[whole] = testgl::readBack(0, 0, 800, 800);
        }
        EXPECT_GT(testgl::countPixels(frames[1], [](const unsigned char* p) { return p[0] > 128; }),
                  fewest);
        EXPECT_EQ(testgl::pixelsDiffering(frames[0], frames[1], 0), 0);
    }
    std::unique_ptr<Terrain> terrain;
};
}  // namespace

// A block's bounds reach at least as far as its vertices: a slab as thin as the rounding
// allows, around a flat map's height, still meets them.
TEST_F(MapBlocks, AFlatMapSeenThroughAThinSlabAroundItsHeightShowsWhole) {
    build();
    lookDownThrough(-0.01f, 0.01f);
    expectBlocksShowTheWholeList(16 * 16 * 40 * 40 / 2);  // 16 by 16 units at 40 pixels a unit
}

// The block's heights include its last column, where the map's far edge lies.
TEST_F(MapBlocks, APeakOnTheLastColumnShowsThroughASlabAroundItsTop) {
    std::vector<uint8_t> peak(SIDE * SIDE, 0);
    peak[SIDE / 2 * SIDE + SIDE - 1] = 100;
    build(peak);
    lookDownThrough(PEAK - 1.0f, PEAK + 1.0f);
    expectBlocksShowTheWholeList(20);  // the top of the peak
}

// The backdrop drawn the frame's way (blocks in view, then the sky behind them) against the old
// way from public pieces (the sky over everything, then the terrain's whole list).
class SceneBackdrop : public SceneTest {};

TEST_F(SceneBackdrop, BlocksWithTheSkyBehindDrawThePixelsOfTheSkyThenTheWholeList) {
    GLfloat normal[2][3];  // later draws go on with the normal the terrain left
    auto render = [&normal](bool old) {
        const float sky = mySkyBox->skyDisplacement, moon = mySkyBox->moonDisplacement;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor4f(0.3f, 0.6f, 0.9f, 0.5f);  // as the fires leave it at the end of a frame
        applyLookAt();
        if (old) {
            drawSky();
            applyWorldRotation();
            glEnable(GL_TEXTURE_2D);  // the terrain's texture state, as drawTerrain() sets it
            glDisable(GL_BLEND);
            glCallList(myTerrain->GetDLIndex());
            glEnable(GL_BLEND);
            glDisable(GL_TEXTURE_2D);
        } else {
            drawBackdrop();
        }
        glGetFloatv(GL_CURRENT_NORMAL, normal[old]);
        mySkyBox->skyDisplacement = sky, mySkyBox->moonDisplacement = moon;  // each draw moves them
        return testgl::readBack(0, 0, 800, 800);
    };
    const struct { const char* what; QOR3dVector eye, look; float spin, tiltX, tiltZ; } views[] = {
        {"start", {0, 3, 5}, {0, 0, -1}, 10, 0, 0},
        {"spun and tilted", {10, 6, -20}, {-1, -0.2f, 0.5f}, 130, 25, -15}};
    for (const auto& v : views) {
        myCamPos = v.eye, myCamDir = v.look;
        Angle = v.spin, AngleX = v.tiltX, AngleZ = v.tiltZ;
        std::vector<unsigned char> old = render(true);
        EXPECT_EQ(testgl::pixelsDiffering(old, render(false), 1), 0) << v.what;
        EXPECT_TRUE(arraysNear(normal[0], normal[1], 3, 0)) << v.what << ": the normal left";
    }
}
