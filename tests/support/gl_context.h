// Test support: one real GLUT window per test process; pixel read-back is in pixels.h.
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

// Fixture for tests that need GL: the window (opened once per process; GLUT ends the process
// when there is no display), identity matrices, and no GL error left behind by the test. Every
// attribute a test changes is put back after it, so each starts from GL's initial state: no
// depth test, lighting, texturing or blending, and a black clear colour.
struct GLTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;
};

#endif
