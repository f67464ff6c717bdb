// Sky box tests: animation steps, GL state left behind, texture names, and what is on screen.
#include "skybox.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using tgatest::tempPath;
using tgatest::writeTga;

namespace {

// Six 32-character slots as the driver lays them out.
struct Slots {
    char names[6][32];
    explicit Slots(const std::vector<std::string>& files) {
        memset(names, 0, sizeof names);
        for (int i = 0; i < 6; ++i) strncpy(names[i], files[i].c_str(), 31);
    }
};

// A uniform 24-bit image of one colour, written under a short name (slots hold 31 chars).
std::string solid(const std::string& name, int r, int g, int b) {
    std::vector<uint8_t> px;
    for (int i = 0; i < 16; ++i) px.insert(px.end(), {(uint8_t)b, (uint8_t)g, (uint8_t)r});
    std::string path = tempPath(name);
    writeTga(path, 4, 4, 24, px);
    return path;
}

GLint getInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

}  // namespace

class SkyBoxTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // The driver's calling contract.
        glDisable(GL_BLEND);
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

TEST_F(SkyBoxTest, DisplacementsShrinkEveryDraw) {
    std::string f = solid("s.tga", 10, 20, 30);
    ASSERT_LT(f.size(), 32u);
    Slots slots({f, f, f, f, f, f});
    SkyBox sky(&slots.names[0][0]);
    EXPECT_FLOAT_EQ(sky.moonDisplacement, 10.0f);
    EXPECT_FLOAT_EQ(sky.skyDisplacement, 0.0f);
    EXPECT_FLOAT_EQ(sky.scale, 1.0f);
    EXPECT_FLOAT_EQ(sky.moving, 0.0f);

    srand(7);
    float prev = sky.skyDisplacement;
    const int n = 200;
    for (int i = 0; i < n; ++i) {
        sky.DrawSkyBox(10, 10, 10, 0, 0, 0);
        float step = prev - sky.skyDisplacement;
        EXPECT_GE(step, 0.0015f * 0.9999f) << i;
        EXPECT_LE(step, 0.00175f * 1.0001f) << i;
        prev = sky.skyDisplacement;
    }
    EXPECT_NEAR(sky.moonDisplacement, 10.0f - 0.12f * n, 1e-3);
    EXPECT_LT(sky.skyDisplacement, -0.0015f * n * 0.9999f);
    EXPECT_GT(sky.skyDisplacement, -0.00175f * n * 1.0001f);

    // Scale and movement change no displacement.
    float before = sky.moonDisplacement;
    sky.setScale(4.0f);
    sky.setMovement(0.1f);
    EXPECT_FLOAT_EQ(sky.scale, 4.0f);
    EXPECT_FLOAT_EQ(sky.moving, 0.1f);
    EXPECT_FLOAT_EQ(sky.moonDisplacement, before);
}

TEST_F(SkyBoxTest, LeavesBlendOnWhiteColourAndBalancedStacks) {
    std::string f = solid("s.tga", 10, 20, 30);
    Slots slots({f, f, f, f, f, f});
    SkyBox sky(&slots.names[0][0]);
    sky.setMovement(1.0f);
    GLint mvDepth = getInt(GL_MODELVIEW_STACK_DEPTH), texDepth = getInt(GL_TEXTURE_STACK_DEPTH);
    GLfloat mvBefore[16], mvAfter[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mvBefore);
    glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    sky.DrawSkyBox(10, 10, 10, 1, 2, 3);

    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(getInt(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(getInt(GL_BLEND_DST), GL_DST_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (float c : colour) EXPECT_FLOAT_EQ(c, 1.0f);
    EXPECT_EQ(getInt(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(getInt(GL_MODELVIEW_STACK_DEPTH), mvDepth);
    EXPECT_EQ(getInt(GL_TEXTURE_STACK_DEPTH), texDepth);
    glGetFloatv(GL_MODELVIEW_MATRIX, mvAfter);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(mvAfter[i], mvBefore[i]);
    EXPECT_EQ((GLuint)getInt(GL_TEXTURE_BINDING_2D), sky.MoonTexture.GetID());
}

TEST_F(SkyBoxTest, SameFileInEverySlotGivesSevenNamesAllReleased) {
    std::string f = solid("s.tga", 10, 20, 30);
    Slots slots({f, f, f, f, f, f});
    int base = Texture::liveTextures();
    SkyBox* sky = new SkyBox(&slots.names[0][0]);
    std::set<GLuint> names;
    for (int i = 0; i < 6; ++i) names.insert(sky->SkyTexture[i].GetID());
    names.insert(sky->MoonTexture.GetID());
    EXPECT_EQ(names.size(), 7u);
    EXPECT_EQ(names.count(0u), 0u);
    EXPECT_EQ(Texture::liveTextures(), base + 7);
    delete sky;
    EXPECT_EQ(Texture::liveTextures(), base);
    for (GLuint n : names) EXPECT_FALSE(glIsTexture(n)) << n;

    // Rebuilding the sky over and over, as the keys do, holds the count steady.
    for (int i = 0; i < 5; ++i) delete new SkyBox(&slots.names[0][0]);
    EXPECT_EQ(Texture::liveTextures(), base);

    SkyBox bare;  // geometry and start values without loading anything
    EXPECT_EQ(Texture::liveTextures(), base);
    EXPECT_FLOAT_EQ(bare.moonDisplacement, 10.0f);
    EXPECT_FLOAT_EQ(bare.v[6][0], 1.0f);
    EXPECT_EQ(bare.faces[5][0], 2);
}

TEST_F(SkyBoxTest, EachFaceShowsItsOwnImageAndTheMoonIsBlendedOn) {
    const int colours[6][3] = {{200, 0, 0},   {0, 200, 0},   {0, 0, 200},
                               {200, 200, 0}, {0, 200, 200}, {200, 0, 200}};
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i)
        files.push_back(solid("f" + std::to_string(i) + ".tga", colours[i][0], colours[i][1],
                              colours[i][2]));
    Slots slots(files);
    SkyBox sky(&slots.names[0][0]);

    struct View {
        int face;
        double cx, cy, cz, ux, uy, uz;
    };
    const View views[] = {{2, 0, 0, -1, 0, 1, 0}, {0, 0, 0, 1, 0, 1, 0}, {3, 1, 0, 0, 0, 1, 0},
                          {4, -1, 0, 0, 0, 1, 0}, {5, 0, 1, 0, 0, 0, -1}, {1, 0, -1, 0, 0, 0, 1}};
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    for (const View& w : views) {
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(0, 0, 0, w.cx, w.cy, w.cz, w.ux, w.uy, w.uz);
        glDisable(GL_BLEND);
        sky.DrawSkyBox(10, 10, 10, 0, 0, 0);
        glFinish();
        const int* c = colours[w.face];
        EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(600, 300), c[0], c[1], c[2], 2))
            << "face " << w.face;
    }

    // Looking along -z the moon (4 units across, 20 away, 8 left and 4 up) covers the area
    // around pixel (240, 480): grey and bright, unlike the pure blue face behind it.
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_BLEND);
    sky.DrawSkyBox(10, 10, 10, 0, 0, 0);
    glFinish();
    testgl::Pixel moon = testgl::pixelAt(240, 480);
    EXPECT_GT(moon.r, 90);
    EXPECT_LT(std::abs(moon.r - moon.g), 30);
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(100, 700), 0, 0, 200, 2))
        << "outside the moon disc the sky shows through";
}
