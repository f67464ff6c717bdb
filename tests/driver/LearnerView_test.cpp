// The learner's view over a figure under a known camera: each goal's cross and each tip's dot
// where they project, green within reach and red beyond, through whatever is in front, and the
// figure left as it was. Hidden, it draws nothing.
#include "LearnerView.h"

#include "AI.h"
#include "Character.h"
#include "support/gl_context.h"
#include "support/limbs.h"
#include "support/vectors.h"

#include <GL/glu.h>

namespace {
const char* noName(int) { return ""; }

struct Spot { float x, y; };

class LearnerViewTest : public WindowGLTest {
protected:
    Character figure, other;
    LearnerView view;
    LearnerScene scene{{&figure, &other}, nullptr, {}, 0, noName, 0};
    QOR3dVector reached{0, 0, 0}, missed{0, 0, 0};  // the arms' goals

    // The eye 4 ahead of the figure at chest height; the other figure far behind the eye.
    void SetUp() override {
        GLTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        gluPerspective(35.0, 1.0, 1.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        gluLookAt(0.5, 1.0, 4.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0);
        other.setPosition(QOR3dVector(0, 0, 40));
        // The left arm's goal 0.03 from its tip: within reach. The right arm's 0.4 away.
        reached = worldTip(figure, *figure.myLeftArm).add(QOR3dVector(0.03f, 0, 0));
        missed = worldTip(figure, *figure.myRightArm).add(QOR3dVector(-0.4f, 0.2f, 0));
        figure.setLeftArmGoal(reached);
        figure.setRightArmGoal(missed);
        figure.setLeftLegGoal(worldTip(figure, *figure.myLeftLeg));
        figure.setRightLegGoal(worldTip(figure, *figure.myRightLeg));
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    Spot project(QOR3dVector p) {
        GLdouble m[16], pr[16], x, y, z;
        GLint vp[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        glGetIntegerv(GL_VIEWPORT, vp);
        gluProject(p.x, p.y, p.z, m, pr, vp, &x, &y, &z);
        return {(float)x, (float)y};
    }
    // Some pixel within 2 of (x, y) has the colour.
    ::testing::AssertionResult colourNear(float x, float y, int r, int g, int b) {
        std::vector<unsigned char> block = testgl::readBack((int)x - 2, (int)y - 2, 5, 5);
        int n = testgl::countPixels(block, [&](const unsigned char* p) {
            return p[0] == r && p[1] == g && p[2] == b;
        });
        if (n > 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no (" << r << ", " << g << ", " << b
                                             << ") within 2 pixels of " << x << ", " << y;
    }
    // A cross: its centre and the four ends of its arms.
    void expectCross(QOR3dVector goal, int r, int g, int b) {
        const Spot s = project(goal);
        for (Spot d : {Spot{0, 0}, Spot{5, 0}, Spot{-5, 0}, Spot{0, 5}, Spot{0, -5}})
            EXPECT_TRUE(colourNear(s.x + d.x, s.y + d.y, r, g, b)) << "arm " << d.x << ", " << d.y;
    }
    // A dot: a filled block round the tip, which no line fills.
    void expectDot(QOR3dVector tip, int r, int g, int b) {
        const Spot s = project(tip);
        std::vector<unsigned char> block = testgl::readBack((int)s.x - 1, (int)s.y - 1, 3, 3);
        EXPECT_EQ(testgl::countPixels(block, [&](const unsigned char* p) {
                      return p[0] == r && p[1] == g && p[2] == b;
                  }), 9) << "at " << s.x << ", " << s.y;
    }
};
}  // namespace

TEST_F(LearnerViewTest, AGoalWithinReachIsAGreenCrossAndItsTipAGreenDot) {
    view.toggle();
    view.draw(scene, 800, 800);
    expectCross(reached, 0, 255, 0);
    expectDot(worldTip(figure, *figure.myLeftArm), 0, 255, 0);
}

TEST_F(LearnerViewTest, AGoalOutOfReachIsARedCrossAndItsTipARedDot) {
    view.toggle();
    view.draw(scene, 800, 800);
    expectCross(missed, 255, 0, 0);
    expectDot(worldTip(figure, *figure.myRightArm), 255, 0, 0);
}

TEST_F(LearnerViewTest, MarksShowThroughWhatIsInFrontOfThem) {
    // A grey wall between the eye and the figure, its depth written.
    glEnable(GL_DEPTH_TEST);
    glColor3ub(128, 128, 128);
    glBegin(GL_QUADS);
    glVertex3f(-3, -2, 2), glVertex3f(3, -2, 2), glVertex3f(3, 4, 2), glVertex3f(-3, 4, 2);
    glEnd();
    view.toggle();
    view.draw(scene, 800, 800);
    expectCross(missed, 255, 0, 0);
}

TEST_F(LearnerViewTest, HiddenItDrawsNothing) {
    view.draw(scene, 800, 800);
    EXPECT_EQ(testgl::countPixels([](const unsigned char* p) { return p[0] + p[1] + p[2] > 0; }),
              0);
}

TEST_F(LearnerViewTest, DrawingLeavesTheFiguresLimbsAsTheyWere) {
    const QOR3dVector leg = figure.myLeftLeg->getEndPoint(), arm = figure.myRightArm->getEndPoint();
    const float knee = figure.myLeftLeg->getKneePitch(), elbow = figure.myRightArm->getElbowPitch();
    view.toggle();
    view.draw(scene, 800, 800);
    EXPECT_VEC_EQ(figure.myLeftLeg->getEndPoint(), leg, 0);
    EXPECT_VEC_EQ(figure.myRightArm->getEndPoint(), arm, 0);
    EXPECT_EQ(figure.myLeftLeg->getKneePitch(), knee);
    EXPECT_EQ(figure.myRightArm->getElbowPitch(), elbow);
}
