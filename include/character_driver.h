// The application driver: window, camera, scene globals, the frame and the keyboard.
// Everything here is global on purpose: GLUT's callbacks take no context pointer.
#ifndef QORVEL_CHARACTER_DRIVER_H
#define QORVEL_CHARACTER_DRIVER_H

#include "QOR3dVector.h"
#include "timer.h"

class Terrain;
class Character;
class Controller;
class AI;
class SkyBox;
class Flames;
class FireWorks;

// Camera and world orientation.
extern QOR3dVector myCamPos;
extern QOR3dVector myCamDir;
extern QOR3dVector myCamUp;
extern float myCamPitch;  // degrees above the level myCamDir the eye looks; the drag sets it
extern float Angle;
extern float deltaAngle;
extern float AngleX;
extern float AngleY;
extern float AngleZ;

// The scene.
extern QOR3dVector aendpos;
extern bool terrainCheck;
extern Terrain* myTerrain;
extern Character* testCharacter;
extern Character* otherCharacter;
extern Controller* myController;
extern Controller* otherController;
extern AI* myAI;
extern SkyBox* mySkyBox;

// Fire and fireworks.
extern Flames* myFlames;
extern Flames* testFlames;
extern Flames* otherFlames;
extern FireWorks* myFireworks;
extern float fireworksDisp;
extern timer myTimer;

int quorvelMain(int argc, char** argv);
// Every way out: ends the capture, saves the last frame drawn where asked, prints the figures
// asked for and ends the process with `status` (or 1 when one of those fails).
[[noreturn]] void finishRun(int status);
void init();
void myReshape(int w, int h);
void idleCallback();                   // draws the run's next frame
void windowStatusCallback(int state);  // a watched run pauses while the window cannot be seen
void displayCallback();                // one frame of the scene, into the framebuffer bound
void keyCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);
void mouseCallback(int button, int state, int x, int y);
void motionCallback(int x, int y);

// The steps of one frame, in drawing order; the benchmark times them through the hook.
enum FrameStep {
    FRAME_EYE,
    FRAME_SKY,
    FRAME_TERRAIN,
    FRAME_MARKER,
    FRAME_TEST_CONTROLLER,
    FRAME_TEST_UPDATE,
    FRAME_TEST_DRAW,
    FRAME_OTHER_UPDATE,
    FRAME_OTHER_DRAW,
    FRAME_AI,
    FRAME_REACH,
    FRAME_CHARACTER_FIRES,
    FRAME_STANDING_FIRE,
    FRAME_FIREWORKS,
    FRAME_SWAP,
    FRAME_STEP_COUNT
};

// Measurement seam: when set, called after each step of displayCallback. Null in the program.
extern void (*frameStepHook)(FrameStep step);
// What the step draws or does, for reports and the benchmark's tables.
const char* frameStepName(FrameStep step);

// Pieces of the callbacks, exposed so tests can run them one by one.
void spinWorld();              // strictly beyond +-360 the angle starts again at 0
void keepEyeAboveTerrain();
void relaunchFireworksIfDue(); // every ten seconds of the fireworks stopwatch
void burnCharacters();         // the fire-contact rule and the characters' own fires
void applyLookAt();
void drawSky();                // over everything, with the GL state the sky needs around it
void drawSkyBehind();          // the same sky only where nothing was drawn yet
void applyWorldRotation();
void drawTerrain();
void drawBackdrop();           // sky and terrain; leaves the world rotation applied

#endif
