// Application driver: globals first, then start-up, the per-frame work and the keys.
#include "character_driver.h"

#include "AI.h"
#include "Character.h"
#include "CommandLine.h"
#include "Console.h"
#include "Controller.h"
#include "FireWorks.h"
#include "Flames.h"
#include "ForceField.h"
#include "FrameClock.h"
#include "FrameOutput.h"
#include "FramePacer.h"
#include "FrameStats.h"
#include "FrameTarget.h"
#include "HelpOverlay.h"
#include "ImageFailure.h"
#include "ImageFolder.h"
#include "InputSession.h"
#include "KeyTable.h"
#include "LearnerView.h"
#include "MemoryPolicy.h"
#include "ReplaySchedule.h"
#include "RunPlan.h"
#include "SceneTime.h"
#include "SeedSource.h"
#include "SolidSphere.h"
#include "SwapControl.h"
#include "Terrain.h"
#include "skybox.h"

#include <GL/freeglut.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

// ---- Globals ----------------------------------------------------------------------------
// The view the program starts with, in one place: the globals below begin with it and Home
// goes back to it.
namespace startView {
const QOR3dVector EYE(0.0f, 3.0f, 5.0f);
const QOR3dVector DIRECTION(0.0f, 0.0f, -1.0f);
const float SPIN = 10.0f;       // the world starts turned by this about y
const float SPIN_STEP = 0.0f;   // not spinning
const float TILT = 0.0f;        // AngleX, AngleY, AngleZ
const float PITCH = 0.0f;       // looking level
const bool EYE_FOLLOWS_GROUND = true;
}  // namespace startView

QOR3dVector myCamPos = startView::EYE;
QOR3dVector myCamDir = startView::DIRECTION;  // not kept at unit length: the turn keys stretch it
QOR3dVector myCamUp(0.0f, 1.0f, 0.0f);
float myCamPitch = startView::PITCH;
float Angle = startView::SPIN;
float deltaAngle = startView::SPIN_STEP;
float AngleX = startView::TILT;
float AngleY = startView::TILT;
float AngleZ = startView::TILT;

QOR3dVector aendpos(0.0f, 0.0f, 0.0f);
bool terrainCheck = startView::EYE_FOLLOWS_GROUND;
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
static RunPlan plan;          // what kind of run this is, decided once at start
static long framesDrawn = 0;
static bool printStats = false;  // --stats
static ProcessUsage usageAtStart;  // when the scene was built
static int windowWidth = 0, windowHeight = 0;  // the size the scene is drawn at
static HelpOverlay helpOverlay;
static LearnerView learnerView;

// Every frame is drawn off screen and copied into the window when it can be seen, so offline
// work goes on behind other windows and the last frame drawn is always at hand.
static FrameTarget* frameTarget = nullptr;
static bool windowSeen = true;  // until the window system says otherwise

// Pacing: frames start no sooner than the pacer allows; replayed frames are shown when their
// captured time has come.
static FramePacer framePacer;
static ReplaySchedule replaySchedule;
static bool frameReplayed = false;  // the frame being drawn came from the replay
static void stepDone(FrameStep step);

// A paused scene that nothing moves is drawn again only when input comes: the idle function
// steps aside until then.
static bool eyeSettled = true;     // the last frame left the eye's height where it was
static bool inputWaiting = false;  // live input came since the last frame began
static bool resting = false;       // the idle function is off until input comes

// Nothing would change the next frame's picture: the last frame was paused, the eye had
// settled, no input waits, and no frame count or replay is being worked through.
static bool restUntilInput() {
    if (inputWaiting || !sceneAtRest() || !eyeSettled || plan.offline || replayGoesOn())
        return false;
    resting = true;
    glutIdleFunc(nullptr);
    return true;
}

static void wakeFromRest() {
    inputWaiting = true;
    if (!resting) return;
    resting = false;
    if (windowSeen || !plan.pausesWhenHidden) glutIdleFunc(idleCallback);
}

// Mouse: a left-button drag turns the camera about its up vector and tilts it up and down.
static const double VERTICAL_FIELD_OF_VIEW = 35.0;  // degrees, as the projection sets it
// Up or down no further than this: the look-at turns over at 90, and from 60 a short drag
// brings the horizon back.
static const float MAX_PITCH = 60.0f;
static bool dragging = false;
static int dragLastX = 0, dragLastY = 0;

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
    std::string error;
    if (line.quiet && !quietProgress(error))
        std::fprintf(stderr, "quorvel: cannot silence the progress lines: %s\n", error.c_str());
    useImageFolder(findImageFolder(line.imageFolder, std::getenv("QORVEL_DATA"), executableDir(),
                                   QORVEL_INSTALLED_IMAGES));
    if (line.seeded) {
        std::srand(line.seed);
        useFixedSeeds(line.seed);
    }
    useFrameClock(line.step);
    printStats = line.stats;
    // Targets are tried before the window opens, so a bad one costs no run.
    if (!plan.screenshot.empty() && !screenshotAtEnd(plan.screenshot, error)) {
        std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", plan.screenshot.c_str(),
                     error.c_str());
        return 1;
    }
    if (!plan.recordFolder.empty() && !recordFramesTo(plan.recordFolder, plan.frames, error)) {
        std::fprintf(stderr, "quorvel: cannot record into '%s': %s\n", plan.recordFolder.c_str(),
                     error.c_str());
        return 1;
    }
    return -1;
}

// ---- The one way out --------------------------------------------------------------------
// Escape, the last frame, the close button, a signal, a replay's end, an image or a file that
// cannot be read or written: each ends here, so the capture is closed, the last frame drawn is
// saved and the figures are printed, in that order, whatever ended the run. The frames' cost
// is read first: saving the picture is not a frame.
void finishRun(int status) {
    static bool finishing = false;
    if (finishing) std::exit(status != 0 ? status : 1);  // a duty below failed on its own way out
    finishing = true;
    const ProcessUsage usageAtEnd = readProcessUsage();
    const int capture = endSession();
    int pictures = 0;
    if (frameTarget != nullptr) {
        frameTarget->select();
        pictures = finishFrameOutput(framesDrawn > 0, frameTarget->width(), frameTarget->height());
    } else {
        pictures = finishFrameOutput(false, 0, 0);
    }
    if (printStats)  // asked for, so it shows under --quiet too
        tellUser("%s", frameStatsLine(frameCost(usageAtStart, usageAtEnd, framesDrawn),
                                      framesDrawn).c_str());
    std::exit(status != 0 ? status : pictures != 0 ? pictures : capture);
}

static void imageUnreadable() { finishRun(1); }

// SIGINT and SIGTERM end the run with the status a shell gives that signal. The handler only
// notes the signal; the run looks for it between frames (a GLUT timer, or the headless loop).
static volatile std::sig_atomic_t caughtSignal = 0;
static const int SIGNAL_POLL_MS = 50;

static void noteSignal(int signal) { caughtSignal = signal; }

static void catchEndSignals() {
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

static void finishOnSignal() {
    if (caughtSignal != 0) finishRun(128 + caughtSignal);
}

static void watchForSignals(int) {
    finishOnSignal();
    glutTimerFunc(SIGNAL_POLL_MS, watchForSignals, 0);
}

// GLUT also destroys the window, through this callback, when the process exits: from then
// on the callback must leave the scene alone. Registered after glutInit, so it runs first.
static bool exiting = false;
static void noteExit() { exiting = true; }

// The window manager's close button.
static void closeCallback() {
    if (!exiting) finishRun(0);
}

// GLUT's fatal errors (a display that cannot be opened, among them): the message on standard
// error with a hint for the commonest cause, and status 1. GLUT expects no return from here.
[[noreturn]] static void reportGlutError(const char* format, va_list args) {
    std::fputs("quorvel: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputs("\n", stderr);
    if (std::strstr(format, "display") != nullptr)
        std::fputs("quorvel: run it in an X session, without a screen under xvfb-run, or with "
                   "--headless\n", stderr);
    std::exit(1);
}

// ---- Input, as the session hands it over ------------------------------------------------
static void takeSize(int w, int h) {
    std::string error;
    if (!frameTarget->resize(w, h, error)) {
        std::fprintf(stderr, "quorvel: %s\n", error.c_str());
        finishRun(1);
    }
    myReshape(w, h);
}
static void sceneKey(unsigned char key) { keyCallback(key, 0, 0); }
static void sceneSpecial(int key) { specialCallback(key, 0, 0); }
// Without a window, the keys that act on the window do nothing.
static void headlessSpecial(int key) {
    if (key != GLUT_KEY_F1 && key != GLUT_KEY_F2 && key != GLUT_KEY_F11 && key != GLUT_KEY_F12)
        specialCallback(key, 0, 0);
}
static void resizeWindow(int w, int h) { glutReshapeWindow(w, h); }

static InputHandlers inputHandlers(bool headless) {
    InputHandlers to;
    to.key = sceneKey;
    to.special = headless ? headlessSpecial : sceneSpecial;
    to.mouse = mouseCallback;
    to.motion = motionCallback;
    to.takeSize = takeSize;
    to.resizeWindow = headless ? nullptr : resizeWindow;
    to.end = finishRun;
    to.inputCame = wakeFromRest;
    return to;
}

// ---- The run ----------------------------------------------------------------------------
// Sleeps until `when` on the wall clock, whatever clock the scene's stopwatches read.
static void sleepUntil(double when) {
    if (when <= timer::wallSeconds()) return;
    timespec until;
    until.tv_sec = (time_t)when;
    until.tv_nsec = (long)((when - (double)until.tv_sec) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) continue;
}

// Replayed frames keep the replay's schedule instead of the pacer's.
static void waitForNextFrame() {
    if (!replayGoesOn()) sleepUntil(framePacer.frameStart(timer::wallSeconds()));
}

static void waitForReplayedTime() {
    if (frameReplayed && plan.pacing == PACE_REPLAY)
        sleepUntil(replaySchedule.showAt(frameClockSeconds(), timer::wallSeconds()));
}

// The frame held off screen, into the window; also what an exposed window shows again.
// Unseen, the frame is still sent on its way, so GL's queued work never piles up.
static void showFrame() {
    if (windowSeen && framesDrawn > 0) frameTarget->show();
    else glFlush();
}

// One frame of the run: drawn off screen, saved where asked, shown when its time has come and
// the window can be seen; the run ends once it has drawn all it was to draw.
static void runFrame() {
    frameTarget->select();
    displayCallback();
    framesDrawn++;
    if (!captureFrame(frameTarget->width(), frameTarget->height())) finishRun(1);
    waitForReplayedTime();
    showFrame();
    stepDone(FRAME_SWAP);
    if (plan.frames > 0 && framesDrawn >= plan.frames) finishRun(0);
}

// Needs the GL context: vertical sync and the display's rate are asked of it.
static void startPacing() {
    const int limit = frameLimit(plan, plan.headless ? 0 : displayRefreshRate());
    // Without a limit the swaps do not wait for the display either.
    if (!plan.headless) setSwapInterval(limit > 0 ? 1 : 0);
    framePacer = FramePacer(limit);
    helpOverlay.setFrameLimit(limit);
}

// Frames are drawn from the idle callback, not GLUT's display callback: GLUT draws nothing
// for a window it cannot show, and offline work must go on regardless.
void idleCallback() {
    if (restUntilInput()) return;
    waitForNextFrame();
    runFrame();
}

// A watched run pauses while its window cannot be seen: without an idle function GLUT sleeps
// until an event comes, so a hidden window costs nothing, and the stopwatches cap the step
// taken when it shows again. Offline work goes on, unseen.
void windowStatusCallback(int state) {
    windowSeen = state == GLUT_FULLY_RETAINED || state == GLUT_PARTIALLY_RETAINED;
    if (plan.pausesWhenHidden) glutIdleFunc(windowSeen ? idleCallback : nullptr);
}

// The off-screen buffer, at the size the run starts with; it is current from here on.
static int makeFrameTarget(bool headless, int width, int height) {
    std::string error;
    frameTarget = headless ? makeHeadlessFrameTarget(error) : makeWindowFrameTarget(error);
    if (frameTarget != nullptr && frameTarget->resize(width, height, error)) return -1;
    std::fprintf(stderr, "quorvel: %s%s\n", headless ? "cannot draw without a window: " : "",
                 error.c_str());
    return 1;
}

static int runInWindow(CommandLine& line) {
    int glutArgc = (int)line.glutArgs.size();
    line.glutArgs.push_back(nullptr);
    glutInitErrorFunc(reportGlutError);
    glutInit(&glutArgc, line.glutArgs.data());
    std::atexit(noteExit);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(line.width, line.height);
    glutCreateWindow("Quorvel");
    const int status = makeFrameTarget(false, line.width, line.height);
    if (status >= 0) return status;
    glutDisplayFunc(showFrame);
    takeInputFromWindow();
    glutIdleFunc(idleCallback);
    glutWindowStatusFunc(windowStatusCallback);
    glutCloseFunc(closeCallback);
    glutTimerFunc(SIGNAL_POLL_MS, watchForSignals, 0);
    init();
    std::printf("F1: keys and help, Escape: quit\n");  // for whoever starts it the first time
    startPacing();
    usageAtStart = readProcessUsage();
    glutMainLoop();
    finishRun(0);  // the close callback ends the run itself; this is only a backstop
}

// No window and no X server: the scene at the run's size, frame after frame, until the run
// has drawn what it was to draw or a signal ends it.
static int runHeadless(const CommandLine& line) {
    const int status = makeFrameTarget(true, line.width, line.height);
    if (status >= 0) return status;
    init();
    takeSize(line.width, line.height);  // as a window's first size would be taken
    startPacing();
    usageAtStart = readProcessUsage();
    for (;;) {
        finishOnSignal();
        waitForNextFrame();
        runFrame();
    }
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
    int status = startSession(line, inputHandlers(line.headless));
    if (status >= 0) return status;
    plan = planRun(line, replayedSession());
    status = applyCommandLine(line);
    if (status >= 0) return status;
    onImageFailure(imageUnreadable);
    catchEndSignals();
    configureMemory();
    return plan.headless ? runHeadless(line) : runInWindow(line);
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
    const LongLivedAllocations sprite;
    myFireworks = new FireWorks(50);
    myFireworks->pushForceField(&ForceField::forceGravity);
    myFireworks->pushForceField(&ForceField::forceDrag);
    myFireworks->setTexture(imagePath("spark1.tga"));
}

// Replaces the sky; the old one goes first so only one set of sky textures is alive.
static void buildSky(const char* image, float scale, float movement) {
    static char slots[SKY_SLOTS][SkyBox::NAME_SLOT];  // 24 KiB: kept off the stack
    const std::string path = imagePath(image);
    const LongLivedAllocations textures;
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
    const LongLivedAllocations scene;
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

// ---- Once a frame, first ----------------------------------------------------------------------
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
    learnerView.stepDone(step);
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

// The pitch tilts the line of sight out of the level myCamDir only here, so the keys that
// move the eye along myCamDir still move it level. Level, the sight is myCamDir exactly.
void applyLookAt() {
    const float rise = myCamDir.length() * std::tan(myCamPitch * (float)M_PI / 180.0f);
    const QOR3dVector sight = myCamDir.add(myCamUp.normalize().scale(rise));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(myCamPos.x, myCamPos.y, myCamPos.z,
              myCamPos.x + sight.x, myCamPos.y + sight.y, myCamPos.z + sight.z,
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
    if (sceneMoves())
        mySkyBox->DrawSkyBox(10.0f, 10.0f, 10.0f, myCamPos.x, myCamPos.y, myCamPos.z);
    else
        mySkyBox->drawStill(10.0f, 10.0f, 10.0f, myCamPos.x, myCamPos.y, myCamPos.z);
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
    drawSolidSphere(0.1, 20, 20);  // the toolkit's own needs a window
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
    if (!sceneMoves()) {
        if (flames != nullptr) flames->draw();
        return;
    }
    if (flames == nullptr) {
        float d = character->getPosition().minus(myFlames->getPosition()).length();
        if (d < 2.4f) {
            std::printf("Starting fire on %s!\n", name);
            const LongLivedAllocations sprite;
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
    if (sceneMoves()) myFlames->update();
    myFlames->draw();
    glPopMatrix();
}

static void drawFireworks() {
    glPushMatrix();
    glTranslatef(fireworksDisp - 50.0f, 10.0f, fireworksDisp - 50.0f);
    if (sceneMoves()) myFireworks->update();
    myFireworks->draw();
    glPopMatrix();
}

// Paused, a frame draws the scene as it stands: no update, search, scroll or random draw.
static void drawFigure(Character* figure) {
    if (sceneMoves()) figure->draw();
    else figure->drawPose();
}

static const char* stepNameOf(int step) { return frameStepName((FrameStep)step); }

static LearnerScene learnerScene() {
    LearnerScene scene = {{testCharacter, otherCharacter}, myAI, {}, 0, stepNameOf,
                          FRAME_STEP_COUNT};
    // Where drawStandingFire and drawFireworks put their sources.
    scene.effects[scene.effectCount++] = {
        "fire", myFlames, myFlames->getPosition().scale(20.0f).add(QOR3dVector(0, 1.5f, 0))};
    if (testFlames != nullptr)
        scene.effects[scene.effectCount++] = {"your figure's fire", testFlames,
                                              testFlames->getPosition()};
    if (otherFlames != nullptr)
        scene.effects[scene.effectCount++] = {"its fire", otherFlames, otherFlames->getPosition()};
    scene.effects[scene.effectCount++] = {
        "fireworks", myFireworks, QOR3dVector(fireworksDisp - 50.0f, 10.0f, fireworksDisp - 50.0f)};
    return scene;
}

void displayCallback() {
    frameReplayed = replayGoesOn();
    beginFrame();
    moveSceneClock();
    inputWaiting = false;
    learnerView.frameBegins();
    const bool moving = sceneMoves();
    if (moving) spinWorld();
    if (moving) relaunchFireworksIfDue();
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    const float eyeWas = myCamPos.y;
    keepEyeAboveTerrain();
    eyeSettled = myCamPos.y == eyeWas;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyLookAt();
    stepDone(FRAME_EYE);
    drawBackdrop();
    drawArmGoalMarker();
    stepDone(FRAME_MARKER);

    glColor4f(0.4f, 0.4f, 0.45f, 1.0f);
    if (moving) myController->update();
    stepDone(FRAME_TEST_CONTROLLER);
    if (moving) testCharacter->update();
    stepDone(FRAME_TEST_UPDATE);
    drawFigure(testCharacter);
    stepDone(FRAME_TEST_DRAW);

    // The AI steers after its character is drawn, so its choices show from the next frame.
    glColor4f(0.6f, 0.45f, 0.35f, 1.0f);
    if (moving) otherCharacter->update();
    stepDone(FRAME_OTHER_UPDATE);
    drawFigure(otherCharacter);
    stepDone(FRAME_OTHER_DRAW);
    if (moving) myAI->update();
    stepDone(FRAME_AI);

    glEnable(GL_BLEND);  // stays on for the rest of the frame
    if (moving) reachForTestCharacter();
    stepDone(FRAME_REACH);
    burnCharacters();
    stepDone(FRAME_CHARACTER_FIRES);
    drawStandingFire();
    stepDone(FRAME_STANDING_FIRE);
    drawFireworks();
    stepDone(FRAME_FIREWORKS);
    learnerView.draw(learnerScene(), windowWidth, windowHeight);
    helpOverlay.frameShown(frameClockSeconds());  // a replay shows the captured rate
    helpOverlay.draw(windowWidth, windowHeight);
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

static void restoreStartView() {
    myCamPos = startView::EYE;
    myCamDir = startView::DIRECTION;
    myCamPitch = startView::PITCH;
    Angle = startView::SPIN;
    deltaAngle = startView::SPIN_STEP;
    AngleX = AngleY = AngleZ = startView::TILT;
    terrainCheck = startView::EYE_FOLLOWS_GROUND;
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

static void resetFigureAndEye() {
    testCharacter->setXPosition(0.0f);
    testCharacter->setZPosition(0.0f);
    myCamPos.x = 0.0f;
    myCamPos.z = 5.0f;
}

// The eye steps by one unit along the camera's direction, or across it.
static QOR3dVector eyeForward() { return myCamDir.normalize(); }
static QOR3dVector eyeRight() { return myCamDir.cross(myCamUp).normalize(); }

static const double ARM_STEP = 0.1;
static const int F = SPECIAL_KEY;  // GLUT's special keys in the table

// Every key: its names, its help and what each of its keys does. New keys go here only.
const KeyRow KEY_TABLE[] = {
    {"W S", "walk your figure forward / back",
     {{'W', [] { myController->moveForward(); }}, {'S', [] { myController->moveBackward(); }}}},
    {"A D", "strafe left / right",
     {{'A', [] { myController->strafeLeft(); }}, {'D', [] { myController->strafeRight(); }}}},
    {"Q E", "turn your figure left / right",
     {{'Q', [] { myController->turn(5.0f); }}, {'E', [] { myController->turn(-5.0f); }}}},
    {"C", "jump", {{'C', [] { myController->jump(); }}}},
    {"6", "start the walking gait", {{'6', [] { myController->setWalking(true); }}}},
    {"q e", "turn the camera left / right",
     {{'q', [] { turnCamera(-1.0f, 3.14f / 180.0f); }},
      {'e', [] { turnCamera(1.0f, 3.14f / 360.0f); }}}},
    {"arrows", "move the eye forward, back, left, right",
     {{F + GLUT_KEY_UP, [] { myCamPos = myCamPos.add(eyeForward()); }},
      {F + GLUT_KEY_DOWN, [] { myCamPos = myCamPos.minus(eyeForward()); }},
      {F + GLUT_KEY_LEFT, [] { myCamPos = myCamPos.minus(eyeRight()); }},
      {F + GLUT_KEY_RIGHT, [] { myCamPos = myCamPos.add(eyeRight()); }}}},
    {"PgUp PgDn", "raise / lower the eye",
     {{F + GLUT_KEY_PAGE_UP, [] { myCamPos.y += 0.5f; }},
      {F + GLUT_KEY_PAGE_DOWN, [] { myCamPos.y -= 0.5f; }}}},
    {"5", "eye follows the ground on / off", {{'5', [] { terrainCheck = !terrainCheck; }}}},
    {"a d z c", "tilt the world",
     {{'a', [] { AngleY += 5.0f; }}, {'d', [] { AngleY -= 5.0f; }},
      {'z', [] { AngleZ += 5.0f; }}, {'c', [] { AngleZ -= 5.0f; }}}},
    {"space", "spin the world on / off",
     {{' ', [] { deltaAngle = (deltaAngle == 0.0f) ? 0.5f : 0.0f; }}}},
    {", . l ; o p", "move the arms' goal (red ball)",
     {{',', [] { moveArmGoal(ARM_STEP, 0, 0); }}, {'.', [] { moveArmGoal(-ARM_STEP, 0, 0); }},
      {'l', [] { moveArmGoal(0, ARM_STEP, 0); }}, {';', [] { moveArmGoal(0, -ARM_STEP, 0); }},
      {'o', [] { moveArmGoal(0, 0, ARM_STEP); }}, {'p', [] { moveArmGoal(0, 0, -ARM_STEP); }}}},
    {"7 8", "night sky / day sky",
     {{'7', [] { buildSky("clouds2.tga", 2.0f, 1.0f); }},
      {'8', [] { buildSky("clouds3.tga", 4.0f, 0.1f); }}}},
    {"r", "your figure and the eye back to the centre", {{'r', resetFigureAndEye}}},
    {"Home", "back to the start view: eye, camera, world", {{F + GLUT_KEY_HOME, restoreStartView}}},
    {"drag", "left button: turn the camera; up / down: tilt", {}},
    {"wheel", "move the eye forward / back", {}},
    {"F1", "this help and the frame rate", {{F + GLUT_KEY_F1, [] { helpOverlay.toggle(); }}}},
    {"F2", "the learner's view: what the scene computes each frame",
     {{F + GLUT_KEY_F2, [] { learnerView.toggle(); }}}},
    {"F3", "pause / resume the scene (the eye still moves)", {{F + GLUT_KEY_F3, pauseOrResumeScene}}},
    {"F4", "one frame on, while paused", {{F + GLUT_KEY_F4, stepPausedScene}}},
    {"[ ]", "the scene at half / twice the speed, 1/16 to 1",
     {{'[', slowScene}, {']', speedUpScene}}},
    {"F11", "full screen on / off", {{F + GLUT_KEY_F11, toggleFullScreen}}},
    {"F12", "save the frame into the current folder", {{F + GLUT_KEY_F12, requestSnapshot}}},
    {"Escape", "quit", {{27, [] { finishRun(0); }}}},
};
const int KEY_TABLE_ROWS = sizeof KEY_TABLE / sizeof KEY_TABLE[0];

static void runKey(int code) {
    const KeyBinding* binding = findKey(KEY_TABLE, KEY_TABLE_ROWS, code);
    if (binding != nullptr) binding->act();
}

void keyCallback(unsigned char key, int, int) {
    runKey(key);
}

void specialCallback(int key, int, int) { runKey(SPECIAL_KEY + key); }

// ---- Mouse ------------------------------------------------------------------------------
// X reports the wheel as buttons 3 (away from the user) and 4 (towards).
static const int WHEEL_AWAY = 3;
static const int WHEEL_TOWARDS = 4;

void mouseCallback(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) {
        dragging = state == GLUT_DOWN;
        dragLastX = x;
        dragLastY = y;
    } else if (state == GLUT_DOWN && button == WHEEL_AWAY) {
        specialCallback(GLUT_KEY_UP, x, y);
    } else if (state == GLUT_DOWN && button == WHEEL_TOWARDS) {
        specialCallback(GLUT_KEY_DOWN, x, y);
    }
}

// The scene follows the hand: dragging right turns the view left, as q does, by the angle
// the dragged pixels span on screen; dragging left turns it right, as e does. Dragging down
// carries the ground down, so the view looks up; dragging up looks down.
void motionCallback(int x, int y) {
    if (!dragging) return;
    const double degreesPerPixel = VERTICAL_FIELD_OF_VIEW / (windowHeight > 0 ? windowHeight : 1);
    turnCameraBy((x - dragLastX) * degreesPerPixel);
    const float pitch = (float)(myCamPitch + (y - dragLastY) * degreesPerPixel);
    myCamPitch = std::fmax(-MAX_PITCH, std::fmin(MAX_PITCH, pitch));
    dragLastX = x;
    dragLastY = y;
}
