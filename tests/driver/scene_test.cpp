// The assembled scene: eye height, characters on the ground, the AI wandering and reaching.
#include "Character.h"
#include "Terrain.h"
#include "character/kinematics.h"
#include "character_driver.h"
#include "driver/scene_fixture.h"

#include <algorithm>
#include <cmath>

namespace {
class SceneFrames : public SceneTest {};

// The lower foot tip of a character against the ground under it.
float clearance(Character* c) {
    QOR3dVector low = c->getMinYPoint();
    return low.y - myTerrain->GetHeight(low.x, low.z);
}
}  // namespace

TEST_F(SceneFrames, EyeClimbsFastBelowSinksSlowlyAboveHoldsBetweenAndCanBeSwitchedOff) {
    float h = myTerrain->GetHeight(myCamPos.x, myCamPos.z) + 1.0f;
    // Height above h before and after one step; exactly h is high enough already.
    const float steps[][2] = {{-0.3f, 0.2f}, {0.6f, 0.6f}, {2.0f, 1.9f}, {0.0f, 0.0f}};
    for (const auto& step : steps) {
        myCamPos.y = h + step[0];
        keepEyeAboveTerrain();
        EXPECT_FLOAT_EQ(myCamPos.y, h + step[1]) << step[0];
    }
    terrainCheck = false;
    myCamPos.y = h - 4.0f;  // even below the ground
    for (int i = 0; i < 10; i++) keepEyeAboveTerrain();
    EXPECT_EQ(myCamPos.y, h - 4.0f);
}

TEST_F(SceneFrames, CharactersStandOnTheTerrainAndTheAIWandersAndReaches) {
    EXPECT_EQ(testCharacter->getYPosition(), 5.0f);
    frame();
    EXPECT_VEC_EQ(otherCharacter->getLeftArmGoal(), testCharacter->getPosition(), 0);
    EXPECT_VEC_EQ(otherCharacter->getRightArmGoal(), testCharacter->getPosition(), 0);
    QOR3dVector start = otherCharacter->getPosition();
    for (int i = 0; i < 60; i++) frame();
    // The walking AI character bobs as its feet lift in turn, but keeps coming back down.
    float highest = -1e9f, lowest = 1e9f;
    for (int i = 0; i < 60; i++) {
        frame();
        highest = std::max(highest, clearance(otherCharacter));
        lowest = std::min(lowest, clearance(otherCharacter));
    }
    EXPECT_TRUE(clearance(testCharacter) >= -0.02f && clearance(testCharacter) <= 0.06f)
        << clearance(testCharacter);
    EXPECT_TRUE(lowest >= -0.15f && lowest <= 0.06f && highest <= 0.6f) << lowest << " " << highest;
    QOR3dVector later = otherCharacter->getPosition();
    EXPECT_GT(std::hypot(later.x - start.x, later.z - start.z), 0.5f);
    // The keyboard character, left alone, stays where it landed.
    EXPECT_LT(std::hypot(testCharacter->getXPosition(), testCharacter->getZPosition() + 2.0f),
              0.05f);
}

TEST_F(SceneFrames, AFrameDrawsTerrainSkyAndCharactersWithoutGLErrors) {
    for (int i = 0; i < 90; i++) frame();
    displayCallback();  // one more without swapping away what we read
    glFinish();
    // The front buffer now holds the last frame; read it where the scene must show things.
    glReadBuffer(GL_FRONT);
    std::vector<unsigned char> px(800 * 800 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 800, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    glReadBuffer(GL_BACK);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    int clearColoured = 0;
    for (size_t i = 0; i < px.size(); i += 4)
        clearColoured += std::abs(px[i] - clear[0] * 255) < 1.5f &&
                         std::abs(px[i + 1] - clear[1] * 255) < 1.5f &&
                         std::abs(px[i + 2] - clear[2] * 255) < 1.5f;
    // The sky and the terrain cover the whole window: no pixel keeps the clear colour.
    EXPECT_LT(clearColoured, 800 * 8);
}
