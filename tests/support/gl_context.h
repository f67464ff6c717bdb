// Test support: one real GLUT window per test process, and read-back of what was drawn.
#ifndef QORVEL_TESTS_GL_CONTEXT_H
#define QORVEL_TESTS_GL_CONTEXT_H

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <vector>

namespace testgl {

struct Pixel { int r, g, b, a; };

// Finishes drawing and reads an RGBA block, rows bottom-up as GL gives them.
std::vector<unsigned char> readBack(int x, int y, int w, int h, GLenum buffer = GL_BACK);
Pixel pixelAt(int x, int y);

inline GLint getInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

// Asserts that the pixel is within tol of the expected 0..255 colour.
::testing::AssertionResult pixelNear(Pixel p, int r, int g, int b, int tol);

// How many pixels of the 800x800 window pass keep(rgba).
template <class Keep>
int countPixels(Keep keep, GLenum buffer = GL_BACK) {
    std::vector<unsigned char> px = readBack(0, 0, 800, 800, buffer);
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4) n += keep(&px[i]) ? 1 : 0;
    return n;
}

}  // namespace testgl

// Fixture for tests that need GL: the window (opened once per process; GLUT ends the process
// when there is no display), identity matrices, and no GL error left behind by the test.
struct GLTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;
};

#endif
