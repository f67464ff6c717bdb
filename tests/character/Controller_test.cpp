// Controller and AI on flat ground: friction, the vertical rule, jumps, the gait, turns.
#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "Terrain.h"
#include "kinematics.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <memory>

namespace {
int nextRandom = 0;
int fakeRandom() { return nextRandom; }
const float GROUND = 1.0f;  // byte 128 at scale 2

// A character on a flat 64x64 terrain at height GROUND; the clock is the test's.
struct ControllerTest : GLTest {
    void SetUp() override {
        GLTest::SetUp();
        std::vector<uint8_t> flat(64 * 64 * 3, 128);
        std::string path = tgatest::writeTga(tgatest::tempPath("flat.tga"), 64, 64, 24, flat);
        quietly([&] { terrain.reset(new Terrain(path.c_str(), false, 2.0f, false, nullptr)); });
        controller.reset(new Controller(&character, terrain.get()));
    }
    // One frame as the scene runs it, with a step of 0.02 s; drawing runs the limb searches.
    void frame(bool draw = true) {
        controller->update();
        fake::advance(0.02);
        character.update();
        glLoadIdentity();
        if (draw) character.draw();
    }
    // A straight leg whose foot tip the last measurement put at (x, y, 0).
    void placeFoot(Character_Leg* leg, float x, float y) {
        *leg = Character_Leg(0, 0, 0, 0, 0, 0, 0);
        glLoadIdentity();
        glTranslatef(x, y, -0.875f);
        leg->updateEndpoint();
    }
    void placeFeet(float y) {  // both feet at height y, the body above them
        placeFoot(character.myLeftLeg, 0, y);
        placeFoot(character.myRightLeg, 0, y);
        character.setYPosition(y + 0.5f);
    }
    float lowestFoot() { return character.getMinYPoint().y; }

    fake::Scope fakes;
    std::unique_ptr<Terrain> terrain;
    Character character;
    std::unique_ptr<Controller> controller;
};
}  // namespace

TEST_F(ControllerTest, VerticalRuleBandGroundPushAndTheLowestPoint) {
    // Feet above the ground and walking, then the y speed, acceleration and lift the rule
    // leaves: exactly at the top of the band stands, just above it falls at the speed it had,
    // below it is pushed up, faster and with a lift when walking.
    const float cases[][5] = {{0.05f, 0, 0, 0, 0}, {0.0501f, 0, -3, -9.81f, 0}, {-0.2f, 0, 1, 0, 0},
                              {-0.2f, 1, 2, 0, 0.01f}};
    for (const auto& c : cases) {
        placeFeet(GROUND + c[0]);
        controller->setWalking(c[1] != 0);
        float y = character.getYPosition();
        character.setYVelocity(-3);
        character.setYAcceleration(5);
        controller->updateVerticalPosition();
        EXPECT_TRUE(character.getYVelocity() == c[2] && character.getYAcceleration() == c[3] &&
                    character.getYPosition() == y + c[4]) << c[0];
    }
    // Left foot at x 0.1, right foot at x -0.1, body at (5, 0, 0); a tie goes to the right.
    const struct { float left, right; int pick; } lows[] = {
        {-0.5f, -0.3f, 0}, {-0.3f, -0.5f, 1}, {-0.5f, -0.5f, 1}, {-0.2f, 0.3f, 0},
        {0.3f, -0.2f, 1},  {0.2f, 0.2f, 2},   {0.0f, 0.0f, 2}};
    character.setPosition(QOR3dVector(5, 0, 0));
    for (const auto& c : lows) {
        placeFoot(character.myLeftLeg, 0.1f, c.left);
        placeFoot(character.myRightLeg, -0.1f, c.right);
        const float x[3] = {0.1f, -0.1f, 5}, y[3] = {c.left, c.right, 0};
        SCOPED_TRACE(std::to_string(c.left) + " " + std::to_string(c.right));
        EXPECT_VEC_NEAR(character.getMinYPoint(), x[c.pick], y[c.pick], 0, 1e-6);
    }
}

TEST_F(ControllerTest, DroppedCharacterJumpsAndLandsThenFrictionStopsItWithoutAStepBack) {
    character.setPosition(QOR3dVector(3, 5, -2));
    // Feet reaching for points under the hips, below the ground, as the gait's would.
    character.setLeftLegGoal(QOR3dVector(3.11f, GROUND - 0.5f, -2));
    character.setRightLegGoal(QOR3dVector(2.89f, GROUND - 0.5f, -2));
    for (int i = 0; i < 300; ++i) frame();
    float rest = character.getYPosition(), peak = rest;
    ASSERT_EQ(character.getYVelocity(), 0.0f);  // standing on straight legs, not sunk in
    EXPECT_TRUE(lowestFoot() >= GROUND && lowestFoot() <= GROUND + 0.05f && rest > GROUND + 0.7f);
    quietly([&] { controller->jump(); });  // up 0.05 at 4 a second, as the key test shows
    for (int i = 0; i < 100; ++i) {
        frame();
        peak = std::max(peak, character.getYPosition());
    }
    EXPECT_GT(peak, rest + 0.6f);  // about 4^2 / (2 * 9.81) = 0.8 up
    EXPECT_EQ(character.getYVelocity(), 0.0f);
    EXPECT_TRUE(lowestFoot() >= GROUND - 1e-4f && lowestFoot() <= GROUND + 0.05f) << lowestFoot();
    placeFeet(GROUND + 0.02f);
    // Along the normalised velocity, so a partly vertical motion gets less of it sideways.
    const float cases[][5] = {{3, 0, 4, -4.8f, -6.4f}, {-1, 0, 0, 8, 0}, {0.3f, 0.4f, 0, -4.8f, 0}};
    for (const auto& c : cases) {
        character.setVelocity(QOR3dVector(c[0], c[1], c[2]));
        controller->update();
        EXPECT_LT(std::fabs(character.getXAcceleration() - c[3]) +
                  std::fabs(character.getZAcceleration() - c[4]), 1e-5) << c[0];
    }
    character.setVelocity(QOR3dVector(0, 0, 0));
    character.setHeading(45);
    controller->moveForward();  // 2 along +x and +z; friction takes 0.16 off each 0.02 s step
    QOR3dVector at = character.getPosition();
    for (int i = 1; i <= 115; ++i) {
        frame(false);
        ASSERT_TRUE(character.getXPosition() >= at.x && character.getZPosition() >= at.z) << i;
        at = character.getPosition();
        // Frame 13 would take the speed from 0.08 to -0.08: it stops there instead.
        ASSERT_EQ(character.getVelocity().length() == 0.0f, i >= 13) << i;
    }
}

TEST_F(ControllerTest, GaitPutsTheFeetHalfATurnApartAndTheAITurnsByItsThresholds) {
    character.setPosition(QOR3dVector(2, 3, -1));
    character.setHeading(90);
    character.setVelocity(QOR3dVector(0, 0, 7.5f));  // 30 degrees of phase per step
    controller->setWalking(true);
    glTranslatef(5, 6, 7);
    const float depth = 0.64f, radius = 0.8f / 2.2f;  // for legs 0.8 long
    for (int step = 0; step < 12; ++step) {
        controller->walk();
        for (Character_Leg* leg : {character.myLeftLeg, character.myRightLeg}) {
            bool right = leg == character.myRightLeg;
            double a = kin::rad(30 * step + 180 * right);  // 0 is the bottom of the circle
            QOR3dVector hip = leg->getPosition();
            QOR3dVector on(hip.x, (float)(hip.y - depth - radius * std::cos(a)),
                           (float)(hip.z - radius * std::sin(a)));
            EXPECT_VEC_EQ(right ? character.getRightLegGoal() : character.getLeftLegGoal(),
                          kin::toWorld(on, character.getPosition(), 90), 1e-5);
        }
    }
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_VEC_NEAR(QOR3dVector(m[12], m[13], m[14]), 5, 6, 7, 0);
    controller->setWalking(false);  // the AI walks on by itself
    AI ai(controller.get(), fakeRandom);
    // The draw, of which only the fractional part of a billionth counts, and the turn it makes.
    const int cases[][2] = {{0, -2}, {800000000, 2}, {550000000, 0}, {1600000000, 0}};
    for (const auto& c : cases) {
        nextRandom = c[0];
        float heading = character.getHeading();
        ai.update();
        EXPECT_FLOAT_EQ(character.getHeading(), heading + c[1]) << c[0];
        double vx = 2 * std::sin(character.getHeading() * 3.14 / 180);  // the controller's factor
        EXPECT_TRUE(controller->isWalking() && std::fabs(character.getXVelocity() - vx) < 1e-5);
    }
}
