// One GLUT window per test process, created on first use.
#include "support/gl_context.h"

#include <cstdlib>

namespace testgl {

static int windowId = 0;

void ensureWindow() {
    if (windowId != 0) {
        glutSetWindow(windowId);
        return;
    }
    int argc = 1;
    char name[] = "quorvel_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    windowId = glutCreateWindow("Quorvel test");
    glViewport(0, 0, 800, 800);
}

std::vector<unsigned char> readBack(int x, int y, int w, int h) {
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

Pixel pixelAt(int x, int y) {
    std::vector<unsigned char> p = readBack(x, y, 1, 1);
    return Pixel{p[0], p[1], p[2], p[3]};
}

::testing::AssertionResult pixelNear(Pixel p, int r, int g, int b, int tol) {
    if (std::abs(p.r - r) <= tol && std::abs(p.g - g) <= tol && std::abs(p.b - b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << p.r << ", " << p.g << ", " << p.b
                                         << ") expected (" << r << ", " << g << ", " << b
                                         << ") within " << tol;
}

GLenum drainErrors() {
    GLenum first = GL_NO_ERROR;
    for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError())
        if (first == GL_NO_ERROR) first = e;
    return first;
}

}  // namespace testgl

void GLTest::SetUp() {
    testgl::ensureWindow();
    testgl::drainErrors();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GLTest::TearDown() {
    EXPECT_EQ(testgl::drainErrors(), (GLenum)GL_NO_ERROR) << "GL error left by the test";
}
