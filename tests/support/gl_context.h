// Test support: one real GLUT window per test process, and read-back of what was drawn.
#ifndef QORVEL_TESTS_GL_CONTEXT_H
#define QORVEL_TESTS_GL_CONTEXT_H

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <vector>

namespace testgl {

// Opens the 800x800 double-buffered window once per process; later calls only make it
// current. Fails the process loudly when no display can be opened.
void ensureWindow();

struct Pixel {
    int r, g, b, a;
};

// Reads an RGBA block of the back buffer, rows bottom-up as GL gives them.
std::vector<unsigned char> readBack(int x, int y, int w, int h);
Pixel pixelAt(int x, int y);

// Asserts that the pixel is within tol of the expected 0..255 colour.
::testing::AssertionResult pixelNear(Pixel p, int r, int g, int b, int tol);

// Drains and returns the GL error flags; GL_NO_ERROR when there were none.
GLenum drainErrors();

}  // namespace testgl

// Fixture for tests that need GL: a current context, identity matrices, and no GL error left
// behind by the test.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

#endif
