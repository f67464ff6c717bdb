// Application driver: globals first, then start-up, the per-frame work and the keys.
#include "character_driver.h"

#include "AI.h"
#include "Character.h"
#include "CommandLine.h"
#include "Controller.h"
#include "FireWorks.h"
#include "Flames.h"
#include "ForceField.h"
#include "FrameOutput.h"
#include "FrameStats.h"
#include "HelpOverlay.h"
#include "ImageFolder.h"
#include "MemoryPolicy.h"
#include "SeedSource.h"
#include "SteppedClock.h"
#include "Terrain.h"
#include "skybox.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---- Globals ----------------------------------------------------------------------------
QOR3dVector myCamPos(0.0f, 3.0f, 5.0f);
QOR3dVector myCamDir(0.0f, 0.0f, -1.0f);   // not kept at unit length: the turn keys stretch it
QOR3dVector myCamUp(0.0f, 1.0f, 0.0f);
float Angle = 10.0f;
float deltaAngle = 0.0f;
float AngleX = 0.0f;
float AngleY = 0.0f;
float AngleZ = 0.0f;

QOR3dVector aendpos(0.0f, 0.0f, 0.0f);
bool terrainCheck = true;
Terrain* myTerrain = nullptr;
Character* testCharacter = nullptr;
Character* otherCharacter = nullptr;
Controller* myController = nullptr;
Controller* otherController = nullptr;
AI* myAI = nullptr;
SkyBox* mySkyBox = nullptr;

Flames* myFlames = nullptr;
Flames* testFlames = nullptr;
Flames* otherFlames = nullptr;
FireWorks* myFireworks = nullptr;
float fireworksDisp = 5.0f;
timer myTimer;
void (*frameStepHook)(FrameStep step) = nullptr;

static const int SKY_SLOTS = 6;
static long frameLimit = 0;  // 0: until Escape
static long framesDrawn = 0;
static bool printStats = false;  // --stats
static ProcessUsage usageAtStart;  // when the scene was built
static int windowWidth = 0, windowHeight = 0;  // as the last reshape gave them
static HelpOverlay helpOverlay;

// Mouse: a left-button drag turns the camera about its up vector.
static const double VERTICAL_FIELD_OF_VIEW = 35.0;  // degrees, as the projection sets it
static bool dragging = false;
static int dragLastX = 0;

// Full screen (F11) and the window it came from, to go back to.
static bool fullScreen = false;
static int windowedX = 0, windowedY = 0, windowedWidth = 0, windowedHeight = 0;

#ifndef QORVEL_INSTALLED_IMAGES
#define QORVEL_INSTALLED_IMAGES "../share/quorvel"
#endif

// ---- Start-up ---------------------------------------------------------------------------
// Everything the command line asks for that needs no window: the image folder, the random
// seed, the clock, the frame output. Returns an exit status, or -1 to go on.
static int applyCommandLine(const CommandLine& line) {
    useImageFolder(findImageFolder(line.imageFolder, std::getenv("QORVEL_DATA"), executableDir(),
                                   QORVEL_INSTALLED_IMAGES));
    if (line.seeded) {
        std::srand(line.seed);
        useFixedSeeds(line.seed);
    }
    if (line.step > 0.0) useSteppedClock(line.step);
    frameLimit = line.frames;
    printStats = line.stats;
    if (!line.screenshot.empty()) screenshotAtEnd(line.screenshot);
    std::string error;
    if (!line.recordFolder.empty() && !recordFramesTo(line.recordFolder, error)) {
        std::fprintf(stderr, "quorvel: cannot record into '%s': %s\n", line.recordFolder.c_str(),
                     error.c_str());
        return 1;
    }
    return -1;
}

int quorvelMain(int argc, char** argv) {
    // Every line out is progress or a diagnostic: deliver each one as it is printed, even to
    // a pipe or a file, so nothing is held back when the run is cut short.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    CommandLine line;
    std::string error;
    switch (parseCommandLine(argc, argv, line, error)) {
    case SHOW_HELP: std::fputs(helpText().c_str(), stdout); return 0;
    case SHOW_VERSION: std::fputs(versionText().c_str(), stdout); return 0;
    case USAGE_ERROR:
        std::fprintf(stderr, "quorvel: %s\nTry 'quorvel --help'.\n", error.c_str());
        return 2;
    case RUN_SCENE: break;
    }
    const int status = applyCommandLine(line);
    if (status >= 0) return status;

    configureMemory();
    int glutArgc = (int)line.glutArgs.size();
    line.glutArgs.push_back(nullptr);
    glutInit(&glutArgc, line.glutArgs.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(line.width, line.height);
    glutCreateWindow("Quorvel");
    glutReshapeFunc(myReshape);
    glutDisplayFunc(displayCallback);
    glutKeyboardFunc(keyCallback);
    glutSpecialFunc(specialCallback);
    glutMouseFunc(mouseCallback);
    glutMotionFunc(motionCallback);
    glutIdleFunc(idleCallback);
    init();
    usageAtStart = readProcessUsage();
    glutMainLoop();
    return 0;
}

// The frames' cost is read before the last picture is written: saving it is not a frame.
void endScene() {
    const ProcessUsage usageAtEnd = readProcessUsage();
    const int status = finishFrameOutput();
    if (printStats)
        std::fputs(frameStatsLine(frameCost(usageAtStart, usageAtEnd, framesDrawn), framesDrawn)
                       .c_str(), stdout);
    std::exit(status);
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

static void launchFireworks() {
    myFireworks = new FireWorks(50);
    myFireworks->pushForceField(&ForceField::forceGravity);
    myFireworks->pushForceField(&ForceField::forceDrag);
    myFireworks->setTexture(imagePath("spark1.tga"));
}

// Replaces the sky; the old one goes first so only one set of sky textures is alive.
static void buildSky(const char* image, float scale, float movement) {
    static char slots[SKY_SLOTS][SkyBox::NAME_SLOT];  // 24 KiB: kept off the stack
    const std::string path = imagePath(image);
    for (int i = 0; i < SKY_SLOTS; i++) {
        std::strncpy(slots[i], path.c_str(), SkyBox::NAME_SLOT - 1);
        slots[i][SkyBox::NAME_SLOT - 1] = '\0';
    }
    delete mySkyBox;
    mySkyBox = new SkyBox(&slots[0][0]);
    mySkyBox->setScale(scale);
    mySkyBox->setMovement(movement);
}

static void setTestArmGoals() {
    testCharacter->myRightArm->setNewGoalEndpoint(aendpos);
    testCharacter->myLeftArm->setNewGoalEndpoint(aendpos);
}

static void buildScene() {
    const std::string heightMap = imagePath("ground3.tga");
    const std::string surface = imagePath("ground4.tga");
    myTerrain = new Terrain(heightMap.c_str(), true, 15.0f, true, surface.c_str());

    testCharacter = new Character();
    otherCharacter = new Character();
    myController = new Controller(testCharacter, myTerrain);
    otherController = new Controller(otherCharacter, myTerrain);
    myAI = new AI(otherController);

    aendpos = QOR3dVector(0.0f, 0.0f, 4.0f);
    testCharacter->setYPosition(5.0f);
    testCharacter->setZPosition(-2.0f);
    setTestArmGoals();
    otherCharacter->setYPosition(5.0f);
    otherCharacter->setZPosition(-2.0f);
    otherCharacter->setXPosition(4.0f);

    myFlames = new Flames(500, default3dVector);
    myFlames->setYPosition(0.0f);
    myFlames->setSize(10.0f);
    testFlames = nullptr;
    otherFlames = nullptr;
    launchFireworks();

    buildSky("clouds3.tga", 4.0f, 0.1f);
    myTimer.start(nullptr);
}

void init() {
    initGLState();
    buildScene();
}

void myReshape(int w, int h) {
    windowWidth = w;
    windowHeight = h;
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A minimised window reports height 0; treat it as 1 so the aspect stays finite.
    double aspect = (double)w / (double)(h > 0 ? h : 1);
    gluPerspective(VERTICAL_FIELD_OF_VIEW, aspect, 1.0, 100.0);
    std::printf("Window Size: %i by %i\n", w, h);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// ---- Per idle call ----------------------------------------------------------------------
void spinWorld() {
    Angle += deltaAngle;
    if (Angle > 360.0f || Angle < -360.0f) Angle = 0.0f;  // restarts at 0, not reduced by 360
}

void relaunchFireworksIfDue() {
    if (myTimer.elapsed_time() > 10.0) {
        myTimer.restart(nullptr);
        fireworksDisp = (float)(std::rand() / 2147483648.0 * 100.0);
        delete myFireworks;
        launchFireworks();
        giveBackFreedMemory();
    }
}

void idleCallback() {
    spinWorld();
    relaunchFireworksIfDue();
    glutPostRedisplay();
}

// ---- Per frame --------------------------------------------------------------------------
const char* frameStepName(FrameStep step) {
    static const char* const NAMES[FRAME_STEP_COUNT] = {
        "clear and camera", "sky", "terrain", "arm-goal marker", "keyboard controller",
        "keyboard character update", "keyboard character draw", "AI character update",
        "AI character draw", "AI", "reaching", "character fires", "standing fire", "fireworks",
        "swap"};
    return NAMES[step];
}

#ifndef NDEBUG
// Debug builds look for a GL error after every step of the frame and name the step of the
// first one: a bad enum or an unbalanced push shows where it happened, not frames later.
static void reportGLError(FrameStep step) {
    static bool reported = false;
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return;
    while (glGetError() != GL_NO_ERROR) continue;  // GL may hold several flags; start clean
    if (reported) return;
    reported = true;
    std::printf("GL error 0x%04x (%s) after frame step %s\n", error,
                (const char*)gluErrorString(error), frameStepName(step));
}
#endif

static void stepDone(FrameStep step) {
#ifndef NDEBUG
    reportGLError(step);
#endif
    if (frameStepHook != nullptr) frameStepHook(step);
}

void keepEyeAboveTerrain() {
    // Asked in unrotated world coordinates: the world rotation only changes what is seen.
    float h = myTerrain->GetHeight(myCamPos.x, myCamPos.z) + 1.0f;
    if (!terrainCheck) return;
    if (h > myCamPos.y)
        myCamPos.y += 0.5f;        // climb fast when closer than 1.0 to the ground
    else if (myCamPos.y > h + 1.1)
        myCamPos.y -= 0.1f;        // sink slowly when higher than 2.1
}

void applyLookAt() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(myCamPos.x, myCamPos.y, myCamPos.z,
              myCamPos.x + myCamDir.x, myCamPos.y + myCamDir.y, myCamPos.z + myCamDir.z,
              myCamUp.x, myCamUp.y, myCamUp.z);
}

void applyWorldRotation() {
    glRotatef(Angle, 0.0f, 1.0f, 0.0f);
    glRotatef(AngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(AngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(AngleZ, 0.0f, 0.0f, 1.0f);
}

// The sky box around the eye, unlit and textured; leaves blending on.
static void drawSkyBox() {
    glPushMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    mySkyBox->DrawSkyBox(10.0f, 10.0f, 10.0f, myCamPos.x, myCamPos.y, myCamPos.z);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glPopMatrix();
}

void drawSky() {
    glDisable(GL_DEPTH_TEST);
    drawSkyBox();
    glEnable(GL_DEPTH_TEST);
}

// At the far plane and only where the depth buffer is still clear: behind whatever was drawn
// before it. Writes no depth.
void drawSkyBehind() {
    glDepthRange(1.0, 1.0);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    drawSkyBox();
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0.0, 1.0);
}

void drawTerrain() {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    myTerrain->Draw();
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// The opaque terrain goes first and the sky fills only the pixels it left, so the hidden part
// of the sky is never shaded. The terrain passes the depth test only below the far plane, so
// the pixels are those of the sky drawn first and the terrain over it.
void drawBackdrop() {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);  // the colour the sky would have left for the terrain
    glPushMatrix();
    applyWorldRotation();
    drawTerrain();
    glPopMatrix();
    stepDone(FRAME_TERRAIN);
    drawSkyBehind();
    stepDone(FRAME_SKY);
    applyWorldRotation();
}

// A half-transparent red ball at the arm goal; it writes no depth. Leaves blending off.
static void drawArmGoalMarker() {
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glColor4f(1.0f, 0.0f, 0.0f, 0.5f);
    glTranslatef(aendpos.x, aendpos.y, aendpos.z);
    glutSolidSphere(0.1, 20, 20);
    glPopMatrix();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

static void reachForTestCharacter() {
    otherCharacter->setLeftArmGoal(testCharacter->getPosition());
    otherCharacter->setRightArmGoal(testCharacter->getPosition());
}

// Lights a character's fire the first time it comes within 2.4 of the standing fire; from
// then on the fire follows it and its arms flail.
static void burnCharacter(Character* character, Flames*& flames, Controller* controller,
                          const char* name) {
    if (flames == nullptr) {
        float d = character->getPosition().minus(myFlames->getPosition()).length();
        if (d < 2.4f) {
            std::printf("Starting fire on %s!\n", name);
            flames = new Flames(200, default3dVector);
            flames->setSize(10.0f);
        }
    }
    if (flames != nullptr) {
        flames->setPosition(character->getPosition());
        flames->setYPosition(flames->getPosition().y + 0.45f);
        flames->update();
        flames->draw();
        controller->goMental();
    }
}

void burnCharacters() {
    burnCharacter(testCharacter, testFlames, myController, "testCharacter");
    burnCharacter(otherCharacter, otherFlames, otherController, "otherCharacter");
}

static void drawStandingFire() {
    glPushMatrix();
    glTranslatef(0.0f, 1.5f, 0.0f);
    glScalef(20.0f, 20.0f, 20.0f);
    myFlames->update();
    myFlames->draw();
    glPopMatrix();
}

static void drawFireworks() {
    glPushMatrix();
    glTranslatef(fireworksDisp - 50.0f, 10.0f, fireworksDisp - 50.0f);
    myFireworks->update();
    myFireworks->draw();
    glPopMatrix();
}

void displayCallback() {
    advanceSteppedClock();
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    keepEyeAboveTerrain();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyLookAt();
    stepDone(FRAME_EYE);
    drawBackdrop();
    drawArmGoalMarker();
    stepDone(FRAME_MARKER);

    glColor4f(0.4f, 0.4f, 0.45f, 1.0f);
    myController->update();
    stepDone(FRAME_TEST_CONTROLLER);
    testCharacter->update();
    stepDone(FRAME_TEST_UPDATE);
    testCharacter->draw();
    stepDone(FRAME_TEST_DRAW);

    // The AI steers after its character is drawn, so its choices show from the next frame.
    glColor4f(0.6f, 0.45f, 0.35f, 1.0f);
    otherCharacter->update();
    stepDone(FRAME_OTHER_UPDATE);
    otherCharacter->draw();
    stepDone(FRAME_OTHER_DRAW);
    myAI->update();
    stepDone(FRAME_AI);

    glEnable(GL_BLEND);  // stays on for the rest of the frame
    reachForTestCharacter();
    stepDone(FRAME_REACH);
    burnCharacters();
    stepDone(FRAME_CHARACTER_FIRES);
    drawStandingFire();
    stepDone(FRAME_STANDING_FIRE);
    drawFireworks();
    stepDone(FRAME_FIREWORKS);
    helpOverlay.frameShown(timer::wallSeconds());
    helpOverlay.draw(windowWidth, windowHeight);
    const bool last = frameLimit > 0 && framesDrawn + 1 >= frameLimit;
    captureFrame(windowWidth, windowHeight, last);
    glutSwapBuffers();
    stepDone(FRAME_SWAP);
    if (frameLimit > 0 && ++framesDrawn >= frameLimit) endScene();
}

// ---- Keys -------------------------------------------------------------------------------
// The step stays a double until it is added: narrowing 0.1 to float first drifts the goal.
static void moveArmGoal(double dx, double dy, double dz) {
    aendpos.x = (float)(aendpos.x + dx);
    aendpos.y = (float)(aendpos.y + dy);
    aendpos.z = (float)(aendpos.z + dz);
    setTestArmGoals();
}

// "q" turns by 3.14/180 and "e" by half of it; each press stretches myCamDir, so successive
// presses turn less and less.
static void turnCamera(float sign, float c) {
    QOR3dVector side = myCamDir.cross(myCamUp).normalize();
    myCamDir = myCamDir.add(side.scale(sign * 0.25f * std::cos(c)));
    QOR3dVector n = myCamDir.normalize();
    myCamDir = myCamDir.add(n.scale(sign * 0.25f * std::sin(c)));
}
// Turns the view about the camera's up vector; positive degrees turn it left. The direction
// keeps its length, unlike the q and e turns that stretch it.
static void turnCameraBy(double degrees) {
    const double a = degrees * M_PI / 180.0;
    const QOR3dVector up = myCamUp.normalize();
    const QOR3dVector across = up.cross(myCamDir);
    const float along = up.dot(myCamDir);
    myCamDir = myCamDir.scale((float)std::cos(a))
                   .add(across.scale((float)std::sin(a)))
                   .add(up.scale((float)(along * (1.0 - std::cos(a)))));
}

static void toggleFullScreen() {
    if (!fullScreen) {
        windowedX = glutGet(GLUT_WINDOW_X);
        windowedY = glutGet(GLUT_WINDOW_Y);
        windowedWidth = windowWidth;
        windowedHeight = windowHeight;
        glutFullScreen();
    } else {
        glutReshapeWindow(windowedWidth, windowedHeight);
        glutPositionWindow(windowedX, windowedY);
    }
    fullScreen = !fullScreen;
}

// With a picture of the last frame to save, the program ends after one more frame, read back
// before it is shown; reading every frame in case it is the last would slow them all.
static void endOnEscape() {
    if (!wantsFinalFrame()) endScene();
    frameLimit = framesDrawn + 1;
}

void keyCallback(unsigned char key, int, int) {
    const double ARM_STEP = 0.1;
    switch (key) {
    case 27: endOnEscape(); break;
    case ' ': deltaAngle = (deltaAngle == 0.0f) ? 0.5f : 0.0f; break;
    case ',': moveArmGoal(ARM_STEP, 0, 0); break;
    case '.': moveArmGoal(-ARM_STEP, 0, 0); break;
    case 'l': moveArmGoal(0, ARM_STEP, 0); break;
    case ';': moveArmGoal(0, -ARM_STEP, 0); break;
    case 'o': moveArmGoal(0, 0, ARM_STEP); break;
    case 'p': moveArmGoal(0, 0, -ARM_STEP); break;
    case '5': terrainCheck = !terrainCheck; break;
    case '6': myController->setWalking(true); break;
    case '7': buildSky("clouds2.tga", 2.0f, 1.0f); break;
    case '8': buildSky("clouds3.tga", 4.0f, 0.1f); break;
    case 'Q': myController->turn(5.0f); break;
    case 'E': myController->turn(-5.0f); break;
    case 'W': myController->moveForward(); break;
    case 'S': myController->moveBackward(); break;
    case 'A': myController->strafeLeft(); break;
    case 'D': myController->strafeRight(); break;
    case 'C': myController->jump(); break;
    case 'q': turnCamera(-1.0f, 3.14f / 180.0f); break;
    case 'e': turnCamera(1.0f, 3.14f / 360.0f); break;
    case 'a': AngleY += 5.0f; break;
    case 'd': AngleY -= 5.0f; break;
    case 'z': AngleZ += 5.0f; break;
    case 'c': AngleZ -= 5.0f; break;
    case 'r':
        testCharacter->setXPosition(0.0f);
        testCharacter->setZPosition(0.0f);
        myCamPos.x = 0.0f;
        myCamPos.z = 5.0f;
        break;
    default: break;
    }
    glutPostRedisplay();
}

void specialCallback(int key, int, int) {
    QOR3dVector forward = myCamDir.normalize();
    QOR3dVector right = myCamDir.cross(myCamUp).normalize();
    switch (key) {
    case GLUT_KEY_UP: myCamPos = myCamPos.add(forward); break;
    case GLUT_KEY_DOWN: myCamPos = myCamPos.minus(forward); break;
    case GLUT_KEY_RIGHT: myCamPos = myCamPos.add(right); break;
    case GLUT_KEY_LEFT: myCamPos = myCamPos.minus(right); break;
    case GLUT_KEY_PAGE_UP: myCamPos.y += 0.5f; break;
    case GLUT_KEY_PAGE_DOWN: myCamPos.y -= 0.5f; break;
    case GLUT_KEY_F1: helpOverlay.toggle(); break;
    case GLUT_KEY_F11: toggleFullScreen(); break;
    case GLUT_KEY_F12: requestSnapshot(); break;
    default: break;
    }
}

// ---- Mouse ------------------------------------------------------------------------------
// X reports the wheel as buttons 3 (away from the user) and 4 (towards).
static const int WHEEL_AWAY = 3;
static const int WHEEL_TOWARDS = 4;

void mouseCallback(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) {
        dragging = state == GLUT_DOWN;
        dragLastX = x;
    } else if (state == GLUT_DOWN && button == WHEEL_AWAY) {
        specialCallback(GLUT_KEY_UP, x, y);
    } else if (state == GLUT_DOWN && button == WHEEL_TOWARDS) {
        specialCallback(GLUT_KEY_DOWN, x, y);
    }
}

// The scene follows the hand: dragging right turns the view left, as q does, by the angle
// the dragged pixels span on screen; dragging left turns it right, as e does.
void motionCallback(int x, int) {
    if (!dragging) return;
    turnCameraBy((x - dragLastX) * VERTICAL_FIELD_OF_VIEW / (windowHeight > 0 ? windowHeight : 1));
    dragLastX = x;
}
