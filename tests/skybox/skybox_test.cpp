// Sky box tests: drift per draw, GL state left behind, and what is on screen.
#include "skybox.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <cstdlib>
#include <cstring>

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
        glDisable(GL_BLEND);  // the driver's calling contract
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
    }
};
}  // namespace

TEST_F(SkyBoxTest, DriftsOnEveryDrawLeavesTheStateAndShowsEachFaceAndTheMoon) {
    SkyBox sky(&names[0][0]);
    sky.setMovement(1.0f);
    glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    for (int n = 1; n <= 50; ++n) {
        float before = sky.skyDisplacement;
        std::srand(n);  // the draw takes one number from the C library's generator
        double r = std::rand();
        std::srand(n);
        sky.DrawSkyBox(10, 10, 10, 1, 2, 3);
        EXPECT_NEAR(before - sky.skyDisplacement, r / 2147483648.0 * 0.00025 + 0.0015, 1e-7) << n;
        EXPECT_NEAR(sky.moonDisplacement, 10.0 - 0.12 * n, 1e-4) << n;
    }
    // Blending stays on with the scene's function; the matrices are restored.
    EXPECT_TRUE(glIsEnabled(GL_BLEND) && getInt(GL_BLEND_SRC) == GL_SRC_ALPHA &&
                getInt(GL_BLEND_DST) == GL_DST_ALPHA);
    EXPECT_TRUE(getInt(GL_MATRIX_MODE) == GL_MODELVIEW && getInt(GL_MODELVIEW_STACK_DEPTH) == 1 &&
                getInt(GL_TEXTURE_STACK_DEPTH) == 1);
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(modelView[i], i % 5 == 0 ? 1.0f : 0.0f);  // identity
    SkyBox still(&names[0][0]);  // a fresh sky, its moon where it starts
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
        still.DrawSkyBox(10, 10, 10, 0, 0, 0);
        const int* c = kColours[(int)w[0]];
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 300), c[0], c[1], c[2], 2)) << w[0];
    }
    // The last view is along -z: the moon (4 units across, 20 away, 8 left and 4 up) covers
    // pixel (240, 480), grey and bright, unlike the pure blue face behind it.
    testgl::Pixel moon = testgl::pixelAt(240, 480);
    EXPECT_TRUE(moon.r > 90 && std::abs(moon.r - moon.g) < 30) << moon.r << " " << moon.g;
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(100, 700), 0, 0, 200, 2)) << "outside the moon";
}
