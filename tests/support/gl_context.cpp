// One GL context per test process, made on first use: off screen without a display, else a
// GLUT window.
#include "support/gl_context.h"

#include "FrameTarget.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const int SIDE = 800;  // as the program's default window

int window = 0;
FrameTarget* offScreen = nullptr;

bool hasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

void openWindow() {
    int argc = 1;
    char name[] = "quorvel_tests", *argv[] = {name, nullptr};
    glutInit(&argc, argv);  // ends the process, saying why, when there is no display
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(SIDE, SIDE);
    window = glutCreateWindow("Quorvel test");
}

void openOffScreen() {
    std::string error;
    offScreen = makeHeadlessFrameTarget(error);
    if (offScreen == nullptr || !offScreen->resize(SIDE, SIDE, error)) {
        std::fprintf(stderr, "quorvel_tests: no off-screen GL: %s\n", error.c_str());
        std::exit(1);
    }
}
}  // namespace

void GLTest::SetUp() {
    if (window == 0 && offScreen == nullptr) {
        if (needsWindow() || hasDisplay()) openWindow();
        else openOffScreen();
        glViewport(0, 0, SIDE, SIDE);
    }
    if (needsWindow() && window == 0)
        FAIL() << "this test draws with GLUT, and the process drew off screen before";
    if (offScreen != nullptr) offScreen->select();
    while (glGetError() != GL_NO_ERROR) continue;  // nothing from before counts against the test
    glPushAttrib(GL_ALL_ATTRIB_BITS);  // whatever the test switches on ends with it
    attributesPushed = true;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GLTest::TearDown() {
    if (!attributesPushed) return;
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "GL error left by the test";
    glPopAttrib();
}
