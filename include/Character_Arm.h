// An arm: upper arm, forearm and hand on a two-axis shoulder, an elbow and a wrist. Drawing it
// also measures where its tip lands under the current model-view matrix.
#ifndef QORVEL_CHARACTER_ARM_H
#define QORVEL_CHARACTER_ARM_H

#include <string>

#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Arm : public Drawable {
public:
    Character_Arm(float xPos, float yPos, float zPos, float theShoulderYaw, float theShoulderPitch,
                  float theElbowPitch, float theWristPitch);

    void setNewGoalEndpoint(QOR3dVector g) { goal = g; IKcont = true; }
    void setNewGoalEndpoint(float x, float y, float z) { setNewGoalEndpoint(QOR3dVector(x, y, z)); }
    QOR3dVector getGoalEndpointPosition() { return goal; }
    QOR3dVector getEndPoint() { return endpoint; }
    void setPosition(QOR3dVector p) { position = p; }
    QOR3dVector getPosition() { return position; }

    float getShoulderYaw() { return shoulderYaw; }
    float getShoulderPitch() { return shoulderPitch; }
    float getElbowPitch() { return elbowPitch; }
    float getWristPitch() { return wristPitch; }
    void setShoulderYaw(float a) { shoulderYaw = a; }
    void setShoulderPitch(float a) { shoulderPitch = a; }
    void setElbowPitch(float a) { elbowPitch = a; }
    void setWristPitch(float a) { wristPitch = a; }

    float getLengthUpper() { return lengthUpper; }
    float getLengthLower() { return lengthLower; }
    float getLengthHand() { return lengthHand; }
    void setMuscle(float m) { muscleAmount = m; }
    float getMuscle() { return muscleAmount; }
    std::string getTexture() { return imagePath; }
    void setTexture(std::string path) { imagePath = path; }

    // Set by a new goal, cleared by the inverse kinematics when a pass ends farther away.
    bool getIKcont() { return IKcont; }
    void setIKcont(bool on) { IKcont = on; }

    // Draws the arm and stores its tip, as the model-view matrix maps it, in endpoint.
    void draw() override;
    void pause() override { paused = !paused; }
    bool isPaused() override { return paused; }
    bool isDrawing() { return doDraw; }

    // Runs the transforms of draw() and measures the tip without drawing anything.
    void updateEndpoint();
    // The tip as the current model-view maps it, leaving the stored one as it was.
    QOR3dVector measureTip();
    // Draws the limb as it stands, leaving the stored tip as it was: a paused frame's pose.
    void drawPose();

protected:
    void drawEllipse(float x, float y, float z);

    bool IKcont;
    int LOD;
    bool doDraw;
    bool paused;
    std::string imagePath;
    Texture* myTexture;
    float muscleAmount;
    timer myTimer;
    QOR3dVector goal;
    QOR3dVector position;
    QOR3dVector endpoint;
    float wristPitch;
    float elbowPitch;
    float shoulderPitch;
    float shoulderYaw;
    float lengthUpper;
    float lengthLower;
    float lengthHand;
};

#endif
