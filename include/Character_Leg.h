// A leg: thigh, shin and foot on a two-axis hip, a knee and an ankle. Drawing it also
// measures where its foot tip lands under the current model-view matrix.
#ifndef QORVEL_CHARACTER_LEG_H
#define QORVEL_CHARACTER_LEG_H

#include <string>

#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Leg : public Drawable {
public:
    Character_Leg(float xPos, float yPos, float zPos, float theHipYaw, float theHipPitch,
                  float theKneePitch, float theAnklePitch);

    void setNewGoalEndpoint(QOR3dVector g) { goal = g; IKcont = true; }
    QOR3dVector getGoalEndpointPosition() { return goal; }
    QOR3dVector getEndPoint() { return endpoint; }
    void setPosition(QOR3dVector p) { position = p; }
    QOR3dVector getPosition() { return position; }

    float getHipYaw() { return hipYaw; }
    float getHipPitch() { return hipPitch; }
    float getKneePitch() { return kneePitch; }
    float getAnklePitch() { return anklePitch; }
    void setHipYaw(float a) { hipYaw = a; }
    void setHipPitch(float a) { hipPitch = a; }
    void setKneePitch(float a) { kneePitch = a; }
    void setAnklePitch(float a) { anklePitch = a; }

    float getLengthThigh() { return lengthThigh; }
    float getLengthShin() { return lengthShin; }
    float getLengthFoot() { return lengthFoot; }
    void setMuscle(float m) { muscleAmount = m; }
    float getMuscle() { return muscleAmount; }
    std::string getTexture() { return imagePath; }
    void setTexture(std::string path) { imagePath = path; }

    bool getIKcont() { return IKcont; }
    void setIKcont(bool on) { IKcont = on; }

    // Draws the leg and stores its foot tip, as the model-view matrix maps it, in endpoint.
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
    std::string imagePath;
    Texture* myTexture;
    bool doDraw;
    bool paused;
    float muscleAmount;
    timer myTimer;
    QOR3dVector goal;
    QOR3dVector position;
    QOR3dVector endpoint;
    float anklePitch;
    float kneePitch;
    float hipPitch;
    float hipYaw;
    float lengthThigh;
    float lengthShin;
    float lengthFoot;
};

#endif
