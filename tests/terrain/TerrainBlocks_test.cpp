// The terrain drawn as the blocks in view against its whole list: on made-up maps seen through
// thin slabs that only a block with the right bounds reaches, and in the scene, where the
// frame draws the blocks and then the sky behind them, against the sky and then the whole list.
#include "support/matrices.h"
#include "support/scene.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <memory>

namespace {
const int SIDE = 17;            // one block of 16 x 16 cells
const float SCALE = 25.6f;      // a pixel value of 100 is a height of 10
const float PEAK = 10.0f;

// A flat 17 x 17 height map at 0, with an optional peak at a pixel; the terrain built from it,
// untextured and without normals, and freed with the test.
class MapBlocks : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 0);
    }
    void TearDown() override {
        glPopAttrib();
        GLTest::TearDown();
    }
    void build(int peakColumn, int peakRow) {
        std::vector<uint8_t> pixels(SIDE * SIDE * 3, 0);
        for (int k = 0; peakColumn >= 0 && k < 3; k++)
            pixels[(peakRow * SIDE + peakColumn) * 3 + k] = 100;
        std::string path = tgatest::writeTga(tgatest::tempPath("heights.tga"), SIDE, SIDE, 24,
                                             pixels);
        quietly([&] { terrain = std::make_unique<Terrain>(path.c_str(), false, SCALE, false, ""); });
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
    build(-1, -1);
    lookDownThrough(-0.01f, 0.01f);
    expectBlocksShowTheWholeList(16 * 16 * 40 * 40 / 2);  // 16 by 16 units at 40 pixels a unit
}

// The block's heights include its last column, where the map's far edge lies.
TEST_F(MapBlocks, APeakOnTheLastColumnShowsThroughASlabAroundItsTop) {
    build(SIDE - 1, SIDE / 2);
    lookDownThrough(PEAK - 1.0f, PEAK + 1.0f);
    expectBlocksShowTheWholeList(20);  // the top of the peak
}

namespace {
// Eye, direction, world spin and tilts, and the fewest and most of the 256 blocks drawn.
struct View {
    const char* what;
    QOR3dVector eye, look;
    float spin, tiltX, tiltZ;
    int fewestBlocks, mostBlocks;
};

class SceneBackdrop : public SceneTest {
protected:
    // The sky as it was before the frame's backdrop drew: each draw moves it.
    void restoreSky() {
        mySkyBox->skyDisplacement = sky, mySkyBox->moonDisplacement = moon;
    }
    void look(const View& v) {
        myCamPos = v.eye;
        myCamDir = v.look;
        Angle = v.spin, AngleX = v.tiltX, AngleZ = v.tiltZ;
    }
    // One backdrop from the colour the fires leave at the end of a frame.
    template <class Draw>
    std::vector<unsigned char> backdrop(Draw draw) {
        glColor4f(0.3f, 0.6f, 0.9f, 0.5f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        applyLookAt();
        draw();
        restoreSky();
        return testgl::readBack(0, 0, 800, 800);
    }
    // The old order, from public pieces: the sky, then the terrain's whole list under the
    // state the terrain's draw sets.
    static void skyThenWholeList() {
        drawSky();
        applyWorldRotation();
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glCallList(myTerrain->GetDLIndex());
        glEnable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }
    void SetUp() override {
        SceneTest::SetUp();
        sky = mySkyBox->skyDisplacement, moon = mySkyBox->moonDisplacement;
    }
    float sky = 0, moon = 0;
};

const View VIEWS[] = {
    {"start", {0, 3, 5}, {0, 0, -1}, 10, 0, 0, 8, 60},
    {"spun and tilted", {10, 6, -20}, {-1, -0.2f, 0.5f}, 130, 25, -15, 8, 120},
    {"along the ground", {-90, 0, 20}, {1, 0, 0.05f}, 0, 0, 0, 8, 80},  // eye set on the ground
    {"from high above", {0, 90, 0}, {0.01f, -1, 0.2f}, 45, 0, 0, 8, 120},
    {"beyond the map, facing away", {0, 10, 150}, {0, 0, 1}, 0, 0, 0, 0, 0}};

View onTheGround(View v) {
    if (v.eye.y == 0) v.eye.y = myTerrain->GetHeight(v.eye.x, v.eye.z) + 0.3f;
    return v;
}
}  // namespace

// The pixels, and the current normal, colour and model-view the frame goes on with.
TEST_F(SceneBackdrop, BlocksInViewAndTheSkyBehindDrawWhatTheSkyAndTheWholeListDid) {
    const struct { GLenum what; int count; const char* name; } STATE[] = {
        {GL_CURRENT_NORMAL, 3, "normal"}, {GL_CURRENT_COLOR, 4, "colour"},
        {GL_MODELVIEW_MATRIX, 16, "model-view"}};
    for (const View& view : VIEWS) {
        SCOPED_TRACE(view.what);
        look(onTheGround(view));
        float old[3][16], now[3][16];
        std::vector<unsigned char> oldPixels = backdrop(skyThenWholeList);
        for (int i = 0; i < 3; i++) glGetFloatv(STATE[i].what, old[i]);
        std::vector<unsigned char> newPixels = backdrop(drawBackdrop);
        for (int i = 0; i < 3; i++) glGetFloatv(STATE[i].what, now[i]);
        EXPECT_EQ(testgl::pixelsDiffering(oldPixels, newPixels, 1), 0);
        for (int i = 0; i < 3; i++)
            EXPECT_TRUE(arraysNear(now[i], old[i], STATE[i].count, 0)) << STATE[i].name;
        EXPECT_GE(myTerrain->GetBlocksDrawn(), view.fewestBlocks);
        EXPECT_LE(myTerrain->GetBlocksDrawn(), view.mostBlocks);
    }
    EXPECT_EQ(myTerrain->GetBlockCount(), 256);  // the 256-pixel map in 16-cell blocks
}
