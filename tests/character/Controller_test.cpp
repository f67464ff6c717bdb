// Controller and AI on flat ground: rising out of the ground, jumps, stalls, friction, the gait,
// turns.
#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "Terrain.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/limbs.h"
#include "support/tga_writer.h"
#include "support/vectors.h"

#include <cmath>
#include <memory>

namespace {
int nextRandom = 0;
int fakeRandom() { return nextRandom; }
const float GROUND = 1.0f;  // byte 128 at scale 2

// A figure 4 above the ground, its feet reaching below it under the hips as the gait's would.
struct Figure {
    Character c;
    Controller ctl;
    Figure(Terrain* t, float x, float ground = GROUND) : ctl(&c, t) {
        c.setPosition(QOR3dVector(x, ground + 4, -2));
        c.setLeftLegGoal(QOR3dVector(x + 0.11f, ground - 0.5f, -2));
        c.setRightLegGoal(QOR3dVector(x - 0.11f, ground - 0.5f, -2));
    }
};

// Figures on a flat 64x64 terrain at height GROUND; the clock is the test's.
struct ControllerTest : GLTest {
    void SetUp() override {
        GLTest::SetUp();
        build(std::vector<uint8_t>(64 * 64 * 3, 128), 2.0f);
        figures.emplace_back(new Figure(terrain.get(), 3));
    }
    void build(const std::vector<uint8_t>& pixels, float scale) {
        std::string path = tgatest::writeTga(tgatest::tempPath("ground.tga"), 64, 64, 24, pixels);
        quietly([&] { terrain.reset(new Terrain(path.c_str(), false, scale, false, nullptr)); });
    }
    // Frames as the scene runs them; drawing runs the limb searches that measure the feet.
    void frames(int count, double step = 0.02, bool draw = true) {
        for (int i = 0; i < count; ++i) {
            for (auto& f : figures) f->ctl.update();
            fake::advance(step);
            for (auto& f : figures) {
                f->c.update();
                glLoadIdentity();
                if (draw) f->c.draw();
            }
        }
    }
    Figure& fig() { return *figures[0]; }
    // Held still with its lowest foot tip, as measured here, in the contact band over the
    // ground under that tip.
    void expectStanding(Figure& f) {
        EXPECT_EQ(f.c.getYVelocity(), 0.0f);
        const QOR3dVector tip = lowestFootTip(f.c);
        EXPECT_GE(tip.y - groundAt(tip.x), -1e-4f) << "at x " << tip.x;
        EXPECT_LE(tip.y - groundAt(tip.x), 0.05f) << "at x " << tip.x;
    }
    float (*groundAt)(float x) = [](float) { return GROUND; };

    fake::Scope fakes;
    std::unique_ptr<Terrain> terrain;
    std::vector<std::unique_ptr<Figure>> figures;
};
}  // namespace

// Sunk below the ground, a figure rises at 1 a second; walking, at 2 a second after a lift of
// 0.01, so that the gait's feet, reaching below their reach, do not hold it down.
TEST_F(ControllerTest, ASunkFigureRisesFasterAndIsLiftedWhenWalking) {
    Character& c = fig().c;
    const struct { bool walking; float speed, lift; } cases[] = {{false, 1, 0}, {true, 2, 0.01f}};
    for (const auto& k : cases) {
        c.setYPosition(GROUND - 1);  // the body, and the feet not yet measured, below the ground
        fig().ctl.setWalking(k.walking);
        fig().ctl.updateVerticalPosition();
        SCOPED_TRACE(k.walking ? "walking" : "standing");
        EXPECT_EQ(c.getYVelocity(), k.speed);
        EXPECT_NEAR(c.getYPosition(), GROUND - 1 + k.lift, 1e-6);
    }
}

TEST_F(ControllerTest, AJumpRisesAndLandsAgain) {
    frames(300);  // landed
    float rest = fig().c.getYPosition(), peak = rest;
    quietly([&] { fig().ctl.jump(); });
    for (int i = 0; i < 100; ++i) {
        frames(1);
        peak = std::max(peak, fig().c.getYPosition());
    }
    EXPECT_GT(peak, rest + 0.6f);  // a speed of 4 against gravity rises about 0.8
    expectStanding(fig());
}

// Ground rising one unit a unit towards +x (at scale 64 a byte of 4 c is a height of c):
// the feet stand where they are, not where the hips are.
TEST_F(ControllerTest, OnASlopeTheLowestFootRestsOnTheGroundUnderIt) {
    std::vector<uint8_t> ramp;
    for (int i = 0; i < 64 * 64; ++i) ramp.insert(ramp.end(), 3, (uint8_t)(4 * (i % 64)));
    figures.clear();
    build(ramp, 64.0f);
    groundAt = [](float x) { return x + 32; };  // column x + 32
    figures.emplace_back(new Figure(terrain.get(), 3, groundAt(3)));
    frames(300);
    expectStanding(fig());
}

// A stall of the process (five seconds stopped): the clock jumps, then frames go on. A figure on
// the ground and one falling from 3 units up stand on the terrain a few seconds later.
TEST_F(ControllerTest, AfterAStallEveryFigureStandsOnTheGround) {
    figures.emplace_back(new Figure(terrain.get(), -3));
    frames(300);
    figures[1]->c.setYPosition(figures[1]->c.getYPosition() + 3);
    frames(20);  // falling at about 2 units a second
    ASSERT_LT(figures[1]->c.getYVelocity(), -1.0f);
    fake::advance(5);
    fake::calendar += 5;
    frames(150);
    for (auto& f : figures) expectStanding(*f);
}

// A tap of W or S: forward and never back, to rest, about as far at 4 frames a second (a step
// that takes W's speed exactly to rest, S's past it) as at 50.
TEST_F(ControllerTest, AMoveGoesOnlyForwardAsFarAtFourFramesASecondAsAtFifty) {
    Character& c = fig().c;
    frames(300);  // standing: no vertical motion to share the friction with
    c.setHeading(45);
    auto travel = [&](bool forward, double step) {
        c.setVelocity(QOR3dVector(0, 0, 0));
        QOR3dVector at = c.getPosition(), start = at;
        forward ? fig().ctl.moveForward() : fig().ctl.moveBackward();
        QOR3dVector way = c.getVelocity();
        way.y = 0;
        for (int i = 0; i < (int)std::lround(1 / step); ++i) {
            frames(1, step, false);
            EXPECT_GE(c.getPosition().minus(at).dot(way), 0.0f) << i;
            at = c.getPosition();
        }
        EXPECT_EQ(c.getXVelocity(), 0.0f);
        EXPECT_EQ(c.getZVelocity(), 0.0f);
        return at.minus(start).dot(way) / way.length();
    };
    for (bool forward : {true, false}) {
        SCOPED_TRACE(forward ? "W" : "S");
        const float smooth = travel(forward, 0.02), slow = travel(forward, 0.25);
        const float speed = forward ? 2 : 1;  // W's and S's
        EXPECT_NEAR(smooth, speed * speed / 16, 0.03);  // v^2 / (2 |a|) under friction of 8
        EXPECT_GT(slow, 0.75f * smooth);
        EXPECT_LT(slow, 1.25f * smooth);
    }
}

// Goals seen from the body, relative to each hip, over one turn of the gait (12 steps at
// this speed): each foot goes round a circle below its hip, half a turn from the other.
TEST_F(ControllerTest, GaitMovesEachFootRoundACircleBelowItsHipHalfATurnFromTheOther) {
    Character& c = fig().c;
    c.setPosition(QOR3dVector(2, 3, -1));
    c.setHeading(90);  // the body's x is the world's -z, its z the world's x
    c.setVelocity(QOR3dVector(0, 0, 7.5f));
    fig().ctl.setWalking(true);
    glTranslatef(5, 6, 7);  // a camera, which the gait must not see
    auto fromHip = [&](QOR3dVector goal, Character_Leg* leg) {
        const QOR3dVector d = goal.minus(c.getPosition());
        return QOR3dVector(-d.z, d.y, d.x).minus(leg->getPosition());
    };
    std::vector<QOR3dVector> left, right;
    for (int step = 0; step < 12; ++step) {
        fig().ctl.walk();
        left.push_back(fromHip(c.getLeftLegGoal(), c.myLeftLeg));
        right.push_back(fromHip(c.getRightLegGoal(), c.myRightLeg));
    }
    QOR3dVector centre(0, 0, 0);
    for (int i = 0; i < 12; ++i) centre = centre.add(left[i].scale(1.0f / 12));
    EXPECT_VEC_NEAR(centre, 0, centre.y, 0, 1e-4);  // straight below the hip
    EXPECT_LT(centre.y, 0);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NEAR(left[i].minus(centre).length(), left[0].minus(centre).length(), 1e-4) << i;
        EXPECT_VEC_EQ(left[i].add(right[i]), centre.scale(2), 1e-4);  // opposite
    }
}

TEST_F(ControllerTest, TheAIWalksForwardTurningByItsThresholds) {
    Character& c = fig().c;
    AI ai(&fig().ctl, fakeRandom);
    // Only the fractional part of the draw over a billion counts.
    const struct { int draw; float turn; } cases[] = {
        {0, -2}, {800000000, 2}, {550000000, 0}, {1600000000, 0}};
    for (const auto& k : cases) {
        nextRandom = k.draw;
        float heading = c.getHeading();
        ai.update();
        EXPECT_FLOAT_EQ(c.getHeading(), heading + k.turn) << k.draw;
        const double h = c.getHeading() * M_PI / 180;
        EXPECT_GT(c.getXVelocity() * std::sin(h) + c.getZVelocity() * std::cos(h), 0) << k.draw;
    }
}

TEST_F(ControllerTest, TheAIKeepsTheDrawItComparedAndTheTurnItChose) {
    AI ai(&fig().ctl, fakeRandom);
    const struct { int draw; float fraction; AI::Turn turn; } cases[] = {
        {100000000, 0.1f, AI::RIGHT}, {900000000, 0.9f, AI::LEFT}, {600000000, 0.6f, AI::FORWARD},
        {550000000, 0.55f, AI::FORWARD}};
    for (const auto& k : cases) {
        nextRandom = k.draw;
        ai.update();
        EXPECT_FLOAT_EQ(ai.lastDraw(), k.fraction) << k.draw;
        EXPECT_EQ(ai.lastTurn(), k.turn) << k.draw;
    }
}
