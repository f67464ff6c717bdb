// The sphere drawn without a window toolkit against the toolkit's own: lit, seen from several
// sides, the same pixels, so the arm-goal ball looks the same with and without a window.
#include "SolidSphere.h"

#include "support/gl_context.h"

#include <vector>

namespace {
std::vector<unsigned char> litSphere(bool own, float turn) {
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.2, 1.2, -1.2, 1.2, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(turn, 1.0f, 0.3f, 0.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 0.5f);
    if (own) drawSolidSphere(1.0, 20, 20);
    else glutSolidSphere(1.0, 20, 20);
    return testgl::readBack(0, 0, 800, 800);
}

// The toolkit's sphere needs its window.
struct SolidSphere : WindowGLTest {};
}  // namespace

TEST_F(SolidSphere, TheOwnSphereDrawsTheToolkitSpheresPixelsFromEverySide) {
    for (float turn : {0.0f, 37.0f, 90.0f, 200.0f}) {
        const std::vector<unsigned char> toolkit = litSphere(false, turn);
        EXPECT_EQ(testgl::pixelsDiffering(toolkit, litSphere(true, turn), 0), 0) << turn;
    }
}
