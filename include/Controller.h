// Steers one character over the terrain: turns, moves, jumps, friction, ground contact and the
// walking gait that sets the feet's goals.
#ifndef QORVEL_CONTROLLER_H
#define QORVEL_CONTROLLER_H

#include "QOR3dVector.h"

class Character;
class Terrain;

class Controller {
public:
    // Neither pointer is owned; both must outlive the controller.
    Controller(Character* c, Terrain* t);
    ~Controller();

    void turn(float angle);
    void moveForward();
    void moveBackward();
    void strafeLeft();
    void strafeRight();
    // Lifts the character and gives it an upward speed; it rises under gravity until that
    // speed is spent, whatever the feet last measured.
    void jump();
    bool isJumping() { return jumping; }
    bool isWalking() { return walking; }
    void setWalking(bool onoff);
    // One gait step; needs the GL context with the model-view matrix selected.
    void walk();
    void activateWeapon() {}
    void activateSpecial() {}
    // Once per frame: friction, a gait step while walking, and ground contact.
    void update();
    // Points both arms at random spots in a box around the character.
    void goMental();
    void updateVerticalPosition();

private:
    void setHorizontalVelocity(float degrees, float speed);

    Character* myCharacter;
    Terrain* myTerrain;
    bool jumping;
    bool walking;
    float llangle;
    float rlangle;
    float deltaang;
};

#endif
