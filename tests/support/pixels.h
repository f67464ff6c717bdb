// Test support: reading back what was drawn and comparing pixels, with stated tolerances.
#ifndef QORVEL_TESTS_SUPPORT_PIXELS_H
#define QORVEL_TESTS_SUPPORT_PIXELS_H

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace testgl {

struct Pixel { int r, g, b, a; };

// Finishes drawing and reads an RGBA block, rows bottom-up as GL gives them.
std::vector<unsigned char> readBack(int x, int y, int w, int h, GLenum buffer = GL_BACK);
Pixel pixelAt(int x, int y);

// Each of red, green and blue within tol of the expected 0..255 colour.
::testing::AssertionResult pixelNear(Pixel p, int r, int g, int b, int tol);

// How many RGBA pixels of a read-back block pass keep(rgba).
template <class Keep>
int countPixels(const std::vector<unsigned char>& rgba, Keep keep) {
    int n = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) n += keep(&rgba[i]) ? 1 : 0;
    return n;
}

// The same, over the whole 800x800 window.
template <class Keep>
int countPixels(Keep keep, GLenum buffer = GL_BACK) {
    return countPixels(readBack(0, 0, 800, 800, buffer), keep);
}

// How many pixels of two equal-sized blocks differ by more than tol in red, green or blue.
int pixelsDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                    int tol);

}  // namespace testgl

#endif
