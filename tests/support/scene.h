// Test support: the whole scene built by init() in a real window, with every stopwatch on the
// fake clock so frames can be stepped in known time; freed again after each test.
#ifndef QORVEL_TESTS_SCENE_H
#define QORVEL_TESTS_SCENE_H

#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "FireWorks.h"
#include "Flames.h"
#include "Terrain.h"
#include "character_driver.h"
#include "skybox.h"
#include "support/fakes.h"
#include "support/gl_context.h"

class SceneTest : public WindowGLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        myCamPos = QOR3dVector(0, 3, 5), myCamDir = QOR3dVector(0, 0, -1);  // the start view
        Angle = 10, deltaAngle = AngleX = AngleY = AngleZ = myCamPitch = 0, terrainCheck = true;
        fake::ticks = 1000000;
        timer::useClocks(fake::readTicks, fake::readCalendar);
        quietly([] {
            init();
            myReshape(800, 800);
        });
    }
    // The scene the test built goes with it, in the reverse order of building.
    void TearDown() override {
        delete mySkyBox, mySkyBox = nullptr;
        delete myFireworks, myFireworks = nullptr;
        delete otherFlames, otherFlames = nullptr;
        delete testFlames, testFlames = nullptr;
        delete myFlames, myFlames = nullptr;
        delete myAI, myAI = nullptr;
        delete otherController, otherController = nullptr;
        delete myController, myController = nullptr;
        delete otherCharacter, otherCharacter = nullptr;
        delete testCharacter, testCharacter = nullptr;
        delete myTerrain, myTerrain = nullptr;
        timer::useClocks(nullptr, nullptr);
        GLTest::TearDown();
    }
    // Advances the fake clock and draws one frame through the display callback, ended with a
    // swap as the program's shown frames are.
    void frame(double seconds = 1.0 / 60.0) {
        fake::advance(seconds);
        displayCallback();
        glutSwapBuffers();
    }
};

#endif
