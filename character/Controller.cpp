// Movement rules of a character on the terrain, and its walking gait.
#include "Controller.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Character.h"
#include "Terrain.h"

namespace {
const float MAX_VEL = 2.0f;
const QOR3dVector UP(0.0f, 1.0f, 0.0f);

// The moves convert with 3.14/180 rather than an exact factor; the drift this gives at large
// headings is part of how characters have always moved.
const double MOVE_DEG_TO_RAD = 3.14 / 180.0;
const float BACKWARD_SPEED = -1.0f;
const float STRAFE_LEFT_SPEED = 3.0f;
const float JUMP_LIFT = 0.05f;
const float JUMP_SPEED = 4.0f;
const float FRICTION = -8.0f;
const float GRAVITY = -9.81f;
const double CONTACT_BAND = 0.05;
const float STAND_PUSH_UP = 1.0f;
const float WALK_PUSH_UP = 2.0f;
const float WALK_LIFT = 0.01f;
const float REST_SPEED = 0.01f;
const double RAND_SCALE = 2147483648.0;

float randomUnit() { return (float)(std::rand() / RAND_SCALE); }
}  // namespace

Controller::Controller(Character* c, Terrain* t)
    : myCharacter(c), myTerrain(t), jumping(false), walking(false), llangle(0.0f),
      rlangle(0.0f), deltaang(0.0f) {}

Controller::~Controller() {
    myCharacter = nullptr;
    myTerrain = nullptr;
}

void Controller::turn(float angle) {
    myCharacter->setHeading(myCharacter->getHeading() + angle);
    updateVerticalPosition();
}

void Controller::setHorizontalVelocity(float degrees, float speed) {
    const float s = (float)std::sin(degrees * MOVE_DEG_TO_RAD);
    const float c = (float)std::cos(degrees * MOVE_DEG_TO_RAD);
    myCharacter->setXVelocity(s * speed);
    myCharacter->setZVelocity(c * speed);
    updateVerticalPosition();
}

void Controller::moveForward() { setHorizontalVelocity(myCharacter->getHeading(), MAX_VEL); }

void Controller::moveBackward() {
    setHorizontalVelocity(myCharacter->getHeading(), BACKWARD_SPEED);
}

void Controller::strafeLeft() {
    setHorizontalVelocity(myCharacter->getHeading() + 90.0f, STRAFE_LEFT_SPEED);
}

void Controller::strafeRight() {
    setHorizontalVelocity(myCharacter->getHeading() - 90.0f, MAX_VEL);
}

void Controller::jump() {
    std::printf("Jump!\n");
    myCharacter->setYPosition(myCharacter->getYPosition() + JUMP_LIFT);
    myCharacter->setYVelocity(JUMP_SPEED);
    jumping = true;
}

void Controller::setWalking(bool onoff) {
    if (onoff) {
        llangle = 0.0f;
        rlangle = 0.0f;
        deltaang = 2.0f * myCharacter->getVelocity().length();
    }
    walking = onoff;
}

void Controller::update() {
    const QOR3dVector v = myCharacter->getVelocity();
    const float horizontalSpeed = std::sqrt(v.x * v.x + v.z * v.z);
    if (horizontalSpeed < REST_SPEED) {
        // Nearly still: stop outright rather than creep on at a crawl.
        myCharacter->setXVelocity(0.0f);
        myCharacter->setZVelocity(0.0f);
        myCharacter->setXAcceleration(0.0f);
        myCharacter->setZAcceleration(0.0f);
    } else {
        const QOR3dVector u = v.normalize();
        myCharacter->setXAcceleration(FRICTION * u.x);
        myCharacter->setZAcceleration(FRICTION * u.z);
    }
    if (walking) walk();
    updateVerticalPosition();
}

void Controller::updateVerticalPosition() {
    // The feet are measured by the last draw, before the jump's lift shows in them; until the
    // rise is spent, trust the jump rather than a foot that still reads as on the ground.
    if (jumping) {
        if (myCharacter->getYVelocity() > 0.0f) {
            myCharacter->setYAcceleration(GRAVITY);
            return;
        }
        jumping = false;
    }
    const QOR3dVector m = myCharacter->getMinYPoint();
    const float H = myTerrain->GetHeight(m.x, m.z);
    const QOR3dVector p = myCharacter->getPosition();
    if (H > m.y) {  // below the ground: rise at a steady speed
        myCharacter->setYAcceleration(0.0f);
        if (walking) {
            myCharacter->setYVelocity(WALK_PUSH_UP);
            myCharacter->setYPosition(p.y + WALK_LIFT);
        } else {
            myCharacter->setYVelocity(STAND_PUSH_UP);
        }
    } else if (m.y > H + CONTACT_BAND) {  // in the air
        myCharacter->setYAcceleration(GRAVITY);
    } else {  // standing
        myCharacter->setYAcceleration(0.0f);
        myCharacter->setYVelocity(0.0f);
    }
}

void Controller::goMental() {
    const QOR3dVector p = myCharacter->getPosition();
    const float u1 = randomUnit(), u2 = randomUnit(), u3 = randomUnit();
    const float u4 = randomUnit(), u5 = randomUnit(), u6 = randomUnit();
    // Offsets span x in [-1, 1), y in [0, 1), z in [-1, 2) along the world axes.
    const float leftX = p.x + 2 * u1 - 1, leftY = p.y + u2, leftZ = p.z + 3 * u3 - 1;
    const float rightX = p.x + 2 * u4 - 1, rightY = p.y + u5, rightZ = p.z + 3 * u6 - 1;
    myCharacter->setLeftArmGoal(QOR3dVector(leftX, leftY, leftZ));
    myCharacter->setRightArmGoal(QOR3dVector(rightX, rightY, rightZ));
}

namespace {
// The world point a foot goal lands on: the hip, down to the circle centre, round the circle.
QOR3dVector footGoal(QOR3dVector body, float heading, QOR3dVector hip, float depth, float radius,
                     float phase) {
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(body.x, body.y, body.z);
    glRotatef(heading, UP.x, UP.y, UP.z);
    glTranslatef(hip.x, hip.y, hip.z);
    glTranslatef(0.0f, -depth, 0.0f);
    glRotatef(phase, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -radius, 0.0f);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    return QOR3dVector(m[12], m[13], m[14]);
}
}  // namespace

void Controller::walk() {
    if (!walking) return;
    deltaang = 4.0f * myCharacter->getVelocity().length();

    // Both feet use the left leg's length.
    const float L = myCharacter->myLeftLeg->getLengthThigh() + myCharacter->myLeftLeg->getLengthShin();
    const float depth = (float)(0.8 * L);
    const float radius = (float)(L / 2.2);
    const float h = myCharacter->getHeading();
    const QOR3dVector P = myCharacter->getPosition();

    const QOR3dVector lH =
        footGoal(P, h, myCharacter->myLeftLeg->getPosition(), depth, radius, llangle);
    llangle += deltaang;
    // The right foot runs half a turn ahead of the left.
    const QOR3dVector rH =
        footGoal(P, h, myCharacter->myRightLeg->getPosition(), depth, radius, rlangle + 180.0f);
    rlangle += deltaang;

    myCharacter->setLeftLegGoal(lH);
    myCharacter->setRightLegGoal(rH);
}
