// Test support: one GL context per test process, headless or in a window; pixel read-back is
// in pixels.h.
#ifndef QORVEL_TESTS_GL_CONTEXT_H
#define QORVEL_TESTS_GL_CONTEXT_H

#include "support/pixels.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

namespace testgl {

inline GLint getInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

// How many names from 1 up to (not including) `below` GL holds as textures (glIsTexture) or
// display lists (glIsList), as GL itself reports them.
template <class IsName>
int namesInUse(IsName isName, GLuint below) {
    int n = 0;
    for (GLuint name = 1; name < below; name++) n += isName(name) ? 1 : 0;
    return n;
}

}  // namespace testgl

// Fixture for tests that need GL: a context of the program's own formats (opened once per
// process), identity matrices, and no GL error left behind by the test. A process with no
// display draws off screen through EGL, as the program's headless runs do; one with a display
// opens a GLUT window, and all its tests draw there, since a thread cannot hold a GLX and an
// EGL context in turn. Every attribute a test changes is put back after it, so each starts from
// GL's initial state: no depth test, lighting, texturing or blending, and a black clear colour.
struct GLTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;

protected:
    // Tests of what only the window toolkit draws (its fonts, its sphere, the scene with its
    // window) say so; they need a display.
    virtual bool needsWindow() const { return false; }

private:
    bool attributesPushed = false;
};

struct WindowGLTest : GLTest {
protected:
    bool needsWindow() const override { return true; }
};

#endif
