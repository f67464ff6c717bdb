// A tail a character could carry; declared for completeness, it neither moves nor draws.
#ifndef QORVEL_CHARACTER_TAIL_H
#define QORVEL_CHARACTER_TAIL_H

#include <string>

#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Tail : public Drawable {
public:
    // The pose arguments are accepted and ignored: the tail has no behaviour yet.
    Character_Tail(float xPoint, float yPoint, float zPoint, float yaw, float pitch);

    void setNewGoalEndpoint(float, float, float) {}
    QOR3dVector getGoalEndpointPosition() { return default3dVector; }
    QOR3dVector getTailPosition() { return default3dVector; }
    QOR3dVector getTipPosition() { return default3dVector; }
    float getPitch();
    float getYaw();
    float getLength();
    void setTailPosition(QOR3dVector) {}
    void setPitch(float) {}
    void setYaw(float) {}
    void setMuscle(float) {}
    float getMuscle();
    std::string getTexture() { return std::string(); }
    void setTexture(std::string) {}

    void draw() override {}
    void pause() override {}
    bool isPaused() override { return false; }

protected:
    std::string imagePath;
    Texture* myTexture;
    float muscleAmount;
    timer myTimer;
    QOR3dVector goalPos;
    float goalPitch;
    float goalYaw;
    QOR3dVector tailPos;
    float pitch;
    float yaw;
    float length;
};

#endif
