// Read-back and pixel comparisons for the rendering tests.
#include "support/pixels.h"

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
                                            << ") expected (" << r << ", " << g << ", " << b
                                            << ") within " << tol;
}

int pixelsDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                    int tol) {
    EXPECT_EQ(a.size(), b.size()) << "blocks of different sizes";
    int n = 0;
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        bool off = false;
        for (int k = 0; k < 3; k++) off = off || std::abs(a[i + k] - b[i + k]) > tol;
        n += off ? 1 : 0;
    }
    return n;
}

}  // namespace testgl
