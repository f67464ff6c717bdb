// Sky box tests: the moon's step, GL state left behind, and what is on screen.
#include "skybox.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <cstring>
#include <memory>

namespace {
using testgl::getInt;
// Face images of one colour each, in the order of the six name slots.
const int kColours[6][3] = {{200, 0, 0},   {0, 200, 0},   {0, 0, 200},
                            {200, 200, 0}, {0, 200, 200}, {200, 0, 200}};

struct SkyBoxTest : GLTest {
    char names[6][SkyBox::NAME_SLOT] = {};  // six slots as the driver lays them out
    void SetUp() override {
        GLTest::SetUp();
        for (int i = 0; i < 6; ++i) {  // one texel of each colour, B, G, R in the file
            const int* c = kColours[i];
            std::string path = tgatest::tempPath("f" + std::to_string(i) + ".tga");
            std::vector<uint8_t> px = {(uint8_t)c[2], (uint8_t)c[1], (uint8_t)c[0]};
            strncpy(names[i], tgatest::writeTga(path, 1, 1, 24, px).c_str(), 31);
        }
        glEnable(GL_TEXTURE_2D);  // and, as the driver calls it, no blending
    }
    void lookThroughAQuarterTurn() {
        glMatrixMode(GL_PROJECTION);
        gluPerspective(90.0, 1.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
    }
    // A still sky (its moon where it starts) drawn once on a clear window.
    void drawStill() {
        SkyBox still(&names[0][0]);
        glClear(GL_COLOR_BUFFER_BIT);
        still.DrawSkyBox(10, 10, 10, 0, 0, 0);
    }
    // A moving sky drawn n times.
    std::unique_ptr<SkyBox> drawn(int n) {
        auto sky = std::make_unique<SkyBox>(&names[0][0]);
        sky->setMovement(1.0f);
        for (int i = 0; i < n; ++i) sky->DrawSkyBox(10, 10, 10, 1, 2, 3);
        return sky;
    }
};
}  // namespace

TEST_F(SkyBoxTest, EachDrawMovesTheMoonBackByAFixedStep) {
    EXPECT_NEAR(drawn(50)->moonDisplacement, 10.0 - 0.12 * 50, 1e-4);  // from 10, 0.12 a draw
}

TEST_F(SkyBoxTest, LeavesBlendingOnWithTheScenesFunction) {
    drawn(3);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(getInt(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(getInt(GL_BLEND_DST), GL_DST_ALPHA);
}

TEST_F(SkyBoxTest, EachFaceShowsInItsDirection) {
    const struct { int face; float look[3], up[3]; } views[] = {
        {0, {0, 0, 1}, {0, 1, 0}},  {3, {1, 0, 0}, {0, 1, 0}}, {4, {-1, 0, 0}, {0, 1, 0}},
        {5, {0, 1, 0}, {0, 0, -1}}, {1, {0, -1, 0}, {0, 0, 1}}, {2, {0, 0, -1}, {0, 1, 0}}};
    lookThroughAQuarterTurn();
    for (const auto& v : views) {
        glLoadIdentity();
        gluLookAt(0, 0, 0, v.look[0], v.look[1], v.look[2], v.up[0], v.up[1], v.up[2]);
        glDisable(GL_BLEND);
        drawStill();
        const int* c = kColours[v.face];
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 300), c[0], c[1], c[2], 2)) << v.face;
    }
}

// Looking along -z, the moon (4 units across, 20 away, 8 left and 4 up) covers pixel
// (240, 480), bright in red unlike the pure blue face behind it.
TEST_F(SkyBoxTest, TheMoonShowsUpAndToTheLeftAhead) {
    lookThroughAQuarterTurn();
    drawStill();
    EXPECT_GT(testgl::pixelAt(240, 480).r, 90);
}

// Looking at the vertical edge between the faces at z = -1 (blue) and x = +1 (yellow): a still
// sky keeps it in the middle; fifty draws turn a moving sky some 8 degrees, clockwise seen from
// above, and the edge moves right.
TEST_F(SkyBoxTest, ADriftingSkyTurnsClockwiseSeenFromAbove) {
    lookThroughAQuarterTurn();
    gluLookAt(0, 0, 0, 1, 0, -1, 0, 1, 0);
    const int RIGHT_OF_THE_MIDDLE = 440;
    drawStill();
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(RIGHT_OF_THE_MIDDLE, 400), 200, 200, 0, 2));
    auto moving = drawn(50);
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    moving->DrawSkyBox(10, 10, 10, 0, 0, 0);
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(RIGHT_OF_THE_MIDDLE, 400), 0, 0, 200, 2));
}
