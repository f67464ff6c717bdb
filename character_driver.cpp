// Application driver: globals first, then start-up, the per-frame work and the keys.
#include "character_driver.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

// ---- Globals ----------------------------------------------------------------------------
QOR3dVector myCamPos(0.0f, 3.0f, 5.0f);
QOR3dVector myCamDir(0.0f, 0.0f, -1.0f);   // not kept at unit length: the turn keys stretch it
QOR3dVector myCamUp(0.0f, 1.0f, 0.0f);
float Angle = 10.0f;
float deltaAngle = 0.0f;
float AngleX = 0.0f;
float AngleY = 0.0f;
float AngleZ = 0.0f;

// ---- Start-up ---------------------------------------------------------------------------
int quorvelMain(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutCreateWindow("Quorvel");
    glutReshapeFunc(myReshape);
    glutDisplayFunc(displayCallback);
    glutKeyboardFunc(keyCallback);
    glutSpecialFunc(specialCallback);
    glutIdleFunc(idleCallback);
    init();
    glutMainLoop();
    return 0;
}

static void initGLState() {
    const GLfloat light1Position[] = {0.0f, 1.0f, 0.0f, 0.0f};
    const GLfloat light1Ambient[] = {0.01f, 0.01f, 0.01f, 1.0f};
    const GLfloat light1Diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat light1Specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat modelAmbient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat light0Position[] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat light0Ambient[] = {0.01f, 0.01f, 0.01f, 1.0f};
    const GLfloat light0Diffuse[] = {0.25f, 0.25f, 0.25f, 1.0f};
    const GLfloat light0Specular[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat materialSpecular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat materialEmission[] = {0.0f, 0.0f, 0.0f, 1.0f};

    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    // Positions are given under an identity model-view, so both lights stay fixed to the eye.
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glLightfv(GL_LIGHT1, GL_AMBIENT, light1Ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, light1Specular);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light0Ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0Specular);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, materialEmission);
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
}

void init() {
    initGLState();
}

void myReshape(int w, int h) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A minimised window reports height 0; treat it as 1 so the aspect stays finite.
    double aspect = (double)w / (double)(h > 0 ? h : 1);
    gluPerspective(35.0, aspect, 1.0, 100.0);
    std::printf("Window Size: %i by %i\n", w, h);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// ---- Per frame --------------------------------------------------------------------------
void spinWorld() {
    Angle += deltaAngle;
    if (Angle > 360.0f || Angle < -360.0f) Angle = 0.0f;  // restarts at 0, not reduced by 360
}

void idleCallback() {
    spinWorld();
    glutPostRedisplay();
}

static void applyLookAt() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(myCamPos.x, myCamPos.y, myCamPos.z,
              myCamPos.x + myCamDir.x, myCamPos.y + myCamDir.y, myCamPos.z + myCamDir.z,
              myCamUp.x, myCamUp.y, myCamUp.z);
}

static void applyWorldRotation() {
    glRotatef(Angle, 0.0f, 1.0f, 0.0f);
    glRotatef(AngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(AngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(AngleZ, 0.0f, 0.0f, 1.0f);
}

void displayCallback() {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyLookAt();
    applyWorldRotation();
    glutSwapBuffers();
}

// ---- Keys -------------------------------------------------------------------------------
void keyCallback(unsigned char key, int, int) {
    if (key == 27) std::exit(0);
    glutPostRedisplay();
}

void specialCallback(int, int, int) {}
