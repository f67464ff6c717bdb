// One GLUT window per test process, created on first use.
#include "support/gl_context.h"

#include <cstdlib>

namespace testgl {

std::vector<unsigned char> readBack(int x, int y, int w, int h, GLenum buffer) {
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(buffer);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadBuffer(GL_BACK);
    return pixels;
}

Pixel pixelAt(int x, int y) {
    std::vector<unsigned char> p = readBack(x, y, 1, 1);
    return Pixel{p[0], p[1], p[2], p[3]};
}

::testing::AssertionResult pixelNear(Pixel p, int r, int g, int b, int tol) {
    bool near = std::abs(p.r - r) <= tol && std::abs(p.g - g) <= tol && std::abs(p.b - b) <= tol;
    return ::testing::AssertionResult(near) << "pixel (" << p.r << ", " << p.g << ", " << p.b
                                            << ") expected (" << r << ", " << g << ", " << b << ")";
}

}  // namespace testgl

void GLTest::SetUp() {
    static int window = 0;
    if (window == 0) {
        int argc = 1;
        char name[] = "quorvel_tests", *argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(800, 800);
        window = glutCreateWindow("Quorvel test");
        glViewport(0, 0, 800, 800);
    }
    while (glGetError() != GL_NO_ERROR) continue;  // nothing from before counts against the test
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GLTest::TearDown() {
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "GL error left by the test";
}
