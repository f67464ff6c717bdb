// Sky box tests: drift per draw, GL state left behind, and what is on screen.
#include "skybox.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <cstdlib>
#include <cstring>

namespace {
// A uniform 4x4 24-bit image of one colour, under a short name (slots hold 31 chars).
std::string solid(const std::string& name, int r, int g, int b) {
    std::vector<uint8_t> px;
    for (int i = 0; i < 16; ++i) px.insert(px.end(), {(uint8_t)b, (uint8_t)g, (uint8_t)r});
    return tgatest::writeTga(tgatest::tempPath(name), 4, 4, 24, px);
}
GLint getInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

class SkyBoxTest : public GLTest {
protected:
    char names[6][32] = {};  // six 32-character slots as the driver lays them out
    void SetUp() override {
        GLTest::SetUp();
        for (int i = 0; i < 6; ++i) strncpy(names[i], solid("s.tga", 10, 20, 30).c_str(), 31);
        glDisable(GL_BLEND);  // the driver's calling contract
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        GLTest::TearDown();
    }
};
}  // namespace

TEST_F(SkyBoxTest, SkyAndMoonDriftByTheirStepOnEveryDraw) {
    SkyBox sky(&names[0][0]);
    for (int n = 1; n <= 50; ++n) {
        float before = sky.skyDisplacement;
        std::srand(n);  // the draw takes one number from the C library's generator
        double r = std::rand();
        std::srand(n);
        sky.DrawSkyBox(10, 10, 10, 0, 0, 0);
        EXPECT_NEAR(before - sky.skyDisplacement, r / 2147483648.0 * 0.00025 + 0.0015, 1e-7) << n;
        EXPECT_NEAR(sky.moonDisplacement, 10.0 - 0.12 * n, 1e-4) << n;
    }
}

TEST_F(SkyBoxTest, DrawLeavesTheDocumentedStateAndRestoresTheStacks) {
    SkyBox sky(&names[0][0]);
    sky.setMovement(1.0f);
    GLint mvDepth = getInt(GL_MODELVIEW_STACK_DEPTH), texDepth = getInt(GL_TEXTURE_STACK_DEPTH);
    GLfloat mvBefore[16], mvAfter[16], colour[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, mvBefore);
    glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    sky.DrawSkyBox(10, 10, 10, 1, 2, 3);
    EXPECT_TRUE(glIsEnabled(GL_BLEND) && getInt(GL_BLEND_SRC) == GL_SRC_ALPHA &&
                getInt(GL_BLEND_DST) == GL_DST_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_LIGHTING));
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (float c : colour) EXPECT_FLOAT_EQ(c, 1.0f);
    EXPECT_TRUE(getInt(GL_MATRIX_MODE) == GL_MODELVIEW && getInt(GL_MODELVIEW_STACK_DEPTH) == mvDepth &&
                getInt(GL_TEXTURE_STACK_DEPTH) == texDepth);
    glGetFloatv(GL_MODELVIEW_MATRIX, mvAfter);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(mvAfter[i], mvBefore[i]);
    EXPECT_EQ((GLuint)getInt(GL_TEXTURE_BINDING_2D), sky.MoonTexture.GetID());
}

TEST_F(SkyBoxTest, EachFaceShowsItsOwnImageAndTheMoonIsBlendedOn) {
    const int colours[6][3] = {{200, 0, 0},   {0, 200, 0},   {0, 0, 200},
                               {200, 200, 0}, {0, 200, 200}, {200, 0, 200}};
    for (int i = 0; i < 6; ++i)
        strncpy(names[i], solid("f" + std::to_string(i) + ".tga", colours[i][0], colours[i][1],
                                colours[i][2]).c_str(), 31);
    SkyBox sky(&names[0][0]);
    // Face, then where the camera looks and its up vector.
    const double views[6][7] = {{0, 0, 0, 1, 0, 1, 0}, {3, 1, 0, 0, 0, 1, 0}, {4, -1, 0, 0, 0, 1, 0},
                                {5, 0, 1, 0, 0, 0, -1}, {1, 0, -1, 0, 0, 0, 1}, {2, 0, 0, -1, 0, 1, 0}};
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    for (const auto& w : views) {
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(0, 0, 0, w[1], w[2], w[3], w[4], w[5], w[6]);
        glDisable(GL_BLEND);
        sky.DrawSkyBox(10, 10, 10, 0, 0, 0);
        glFinish();
        const int* c = colours[(int)w[0]];
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 300), c[0], c[1], c[2], 2)) << w[0];
    }
    // The last view is along -z: the moon (4 units across, 20 away, 8 left and 4 up) covers
    // pixel (240, 480), grey and bright, unlike the pure blue face behind it.
    testgl::Pixel moon = testgl::pixelAt(240, 480);
    EXPECT_TRUE(moon.r > 90 && std::abs(moon.r - moon.g) < 30) << moon.r << " " << moon.g;
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(100, 700), 0, 0, 200, 2)) << "outside the moon";
}
