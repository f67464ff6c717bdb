// The backdrop as the frame draws it (the terrain's blocks in view, then the sky behind them)
// against the old way (the sky, then the terrain's whole list): the same pixels and the same
// current normal after, from views across, along, above and away from the map.
#include "support/scene.h"

#include <algorithm>
#include <cstdlib>

TEST_F(SceneTest, BlocksInViewAndTheSkyBehindDrawTheOldPixels) {
    // One backdrop; the pixels, then the current normal and colour and the model-view.
    auto render = [](bool old) {
        const float sky = mySkyBox->skyDisplacement, moon = mySkyBox->moonDisplacement;
        oldBackdrop = old;
        glColor4f(0.3f, 0.6f, 0.9f, 0.5f);  // as the fires leave it at the end of a frame
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        applyLookAt();
        drawBackdrop();
        mySkyBox->skyDisplacement = sky, mySkyBox->moonDisplacement = moon;  // each draw moves them
        std::vector<unsigned char> pixels = testgl::readBack(0, 0, 800, 800);
        GLfloat state[23];
        glGetFloatv(GL_CURRENT_NORMAL, state);
        glGetFloatv(GL_CURRENT_COLOR, state + 3);
        glGetFloatv(GL_MODELVIEW_MATRIX, state + 7);
        pixels.insert(pixels.end(), (unsigned char*)state, (unsigned char*)(state + 23));
        return pixels;
    };
    const float ground = myTerrain->GetHeight(-90.0f, 20.0f);
    // Eye, direction, world spin and tilts, and the fewest and most of the 256 blocks drawn.
    struct View { const char* what; QOR3dVector eye, look; float spin, x, z; int fewest, most; };
    const View views[] = {{"start", {0, 3, 5}, {0, 0, -1}, 10, 0, 0, 8, 60},
        {"spun and tilted", {10, 6, -20}, {-1, -0.2f, 0.5f}, 130, 25, -15, 8, 120},
        {"along the ground", {-90, ground + 0.3f, 20}, {1, 0, 0.05f}, 0, 0, 0, 8, 80},
        {"from high above", {0, 90, 0}, {0.01f, -1, 0.2f}, 45, 0, 0, 8, 120},
        {"beyond the map, facing away", {0, 10, 150}, {0, 0, 1}, 0, 0, 0, 0, 0}};
    for (const auto& v : views) {
        myCamPos = v.eye;
        myCamDir = v.look;
        Angle = v.spin, AngleX = v.x, AngleZ = v.z;
        std::vector<unsigned char> old = render(true), now = render(false);
        const auto split = old.begin() + 800 * 800 * 4;
        EXPECT_TRUE(std::equal(old.begin(), split, now.begin(),
                               [](int a, int b) { return std::abs(a - b) <= 1; })) << v.what;
        EXPECT_TRUE(std::equal(split, old.end(), now.begin() + 800 * 800 * 4)) << v.what << " state";
        int drawn = myTerrain->GetBlocksDrawn();
        EXPECT_TRUE(drawn >= v.fewest && drawn <= v.most) << v.what << ": " << drawn;
    }
    EXPECT_EQ(myTerrain->GetBlockCount(), 256);
}
