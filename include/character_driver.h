// The application driver: window, camera, scene globals, the frame and the keyboard.
#ifndef QORVEL_CHARACTER_DRIVER_H
#define QORVEL_CHARACTER_DRIVER_H

#include "QOR3dVector.h"

// Camera and world orientation.
extern QOR3dVector myCamPos;
extern QOR3dVector myCamDir;
extern QOR3dVector myCamUp;
extern float Angle;
extern float deltaAngle;
extern float AngleX;
extern float AngleY;
extern float AngleZ;

int quorvelMain(int argc, char** argv);
void init();
void myReshape(int w, int h);
void idleCallback();
void displayCallback();
void keyCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);

// The world spin of one idle call: strictly beyond +-360 the angle starts again at 0.
void spinWorld();

#endif
