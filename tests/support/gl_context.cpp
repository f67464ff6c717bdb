// One GLUT window per test process, created on first use.
#include "support/gl_context.h"

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
    glPushAttrib(GL_ALL_ATTRIB_BITS);  // whatever the test switches on ends with it
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GLTest::TearDown() {
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "GL error left by the test";
    glPopAttrib();
}
