// An articulated figure: owns its body parts, moves ballistically on its own stopwatch, and
// poses its limbs toward their goals by inverse kinematics every time it is drawn.
#ifndef QORVEL_CHARACTER_H
#define QORVEL_CHARACTER_H

#include <string>

#include "BallisticBody.h"
#include "Character_Arm.h"
#include "Character_Head.h"
#include "Character_Leg.h"
#include "Character_Tail.h"
#include "Character_Torso.h"
#include "Character_Trunk.h"
#include "Drawable.h"
#include "QOR3dVector.h"
#include "Special.h"
#include "Weapon.h"
#include "timer.h"

class Character : public BallisticBody, public Drawable {
public:
    std::string name;
    Character_Leg* myRightLeg;
    Character_Leg* myLeftLeg;
    Character_Arm* myRightArm;
    Character_Arm* myLeftArm;

    Character();
    ~Character() override;
    Character(const Character&) = delete;
    Character& operator=(const Character&) = delete;

    // Semi-implicit Euler step over the time since the last update; nothing while paused.
    void update() override;
    void setPosition(QOR3dVector p) override { position = p; }
    void setVelocity(QOR3dVector v) override { velocity = v; }
    void setAcceleration(QOR3dVector a) override { acceleration = a; }
    void setXPosition(float v) override { position.x = v; }
    void setYPosition(float v) override { position.y = v; }
    void setZPosition(float v) override { position.z = v; }
    void setXVelocity(float v) override { velocity.x = v; }
    void setYVelocity(float v) override { velocity.y = v; }
    void setZVelocity(float v) override { velocity.z = v; }
    void setXAcceleration(float v) override { acceleration.x = v; }
    void setYAcceleration(float v) override { acceleration.y = v; }
    void setZAcceleration(float v) override { acceleration.z = v; }
    void setSize(float s) override { size = s; }
    void setMass(float m) override { mass = m; }
    float getXPosition() override { return position.x; }
    float getYPosition() override { return position.y; }
    float getZPosition() override { return position.z; }
    float getXVelocity() override { return velocity.x; }
    float getYVelocity() override { return velocity.y; }
    float getZVelocity() override { return velocity.z; }
    float getXAcceleration() override { return acceleration.x; }
    float getYAcceleration() override { return acceleration.y; }
    float getZAcceleration() override { return acceleration.z; }
    float getSize() override { return size; }
    float getMass() override { return mass; }

    // Draws the figure and runs the limb search; needs a current GL context.
    void draw() override;
    // Draws the figure as it stands, without the search: a paused frame changes nothing.
    void drawPose();
    // Where a limb's tip is in the frame of its goal, measured now; the limb keeps its state.
    QOR3dVector tipOf(Character_Leg* leg);
    QOR3dVector tipOf(Character_Arm* arm);
    void pause() override { paused = !paused; }
    bool isPaused() override { return paused; }

    QOR3dVector getPosition() { return position; }
    QOR3dVector getVelocity() { return velocity; }
    QOR3dVector getAcceleration() { return acceleration; }
    void setHeading(float degrees) { heading = degrees; }
    float getHeading() { return heading; }

    void setLeftArmGoal(QOR3dVector g) { myLeftArm->setNewGoalEndpoint(g); }
    void setRightArmGoal(QOR3dVector g) { myRightArm->setNewGoalEndpoint(g); }
    void setLeftLegGoal(QOR3dVector g) { myLeftLeg->setNewGoalEndpoint(g); }
    void setRightLegGoal(QOR3dVector g) { myRightLeg->setNewGoalEndpoint(g); }
    QOR3dVector getLeftArmGoal() { return myLeftArm->getGoalEndpointPosition(); }
    QOR3dVector getRightArmGoal() { return myRightArm->getGoalEndpointPosition(); }
    QOR3dVector getLeftLegGoal() { return myLeftLeg->getGoalEndpointPosition(); }
    QOR3dVector getRightLegGoal() { return myRightLeg->getGoalEndpointPosition(); }

    // One call of the greedy joint search toward the limb's goal, in world coordinates.
    void updateLegIK(Character_Leg* Leg);
    void updateArmIK(Character_Arm* Arm);
    // The lower foot tip when it lies below the body origin, otherwise the body origin.
    QOR3dVector getMinYPoint();

    // Health is a running total; weapons and specials do nothing yet.
    void addHealth(float amount) { health += amount; }
    float getHealth() { return health; }
    void activateWeapon() {}
    void activateSpecial() {}

protected:
    Character_Head* myHead;
    Character_Torso* myTorso;
    Character_Trunk* myTrunk;
    Character_Tail* myTail;
    Weapon* myWeapon;
    Special* mySpecial;
    float heading;
    timer myTimer;
    QOR3dVector position;
    QOR3dVector velocity;
    QOR3dVector acceleration;
    float size;
    float mass;
    bool paused;
    float health;
};

#endif
