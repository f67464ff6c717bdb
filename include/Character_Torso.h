// The chest of a character, above the trunk; the arms and head are mounted on it.
#ifndef QORVEL_CHARACTER_TORSO_H
#define QORVEL_CHARACTER_TORSO_H

#include <string>

#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Torso : public Drawable {
public:
    Character_Torso(float xPoint, float yPoint, float zPoint);

    QOR3dVector getPosition() { return position; }
    void setPosition(QOR3dVector p) { position = p; }
    float getLength() { return length; }
    void setMuscle(float m) { muscleAmount = m; }
    float getMuscle() { return muscleAmount; }
    std::string getTexture() { return imagePath; }
    void setTexture(std::string path) { imagePath = path; }

    void draw() override;
    void pause() override { paused = !paused; }
    bool isPaused() override { return paused; }

protected:
    void drawEllipse(float x, float y, float z);

    int LOD;
    bool paused;
    bool doDraw;
    std::string imagePath;
    Texture* myTexture;
    float muscleAmount;
    timer myTimer;
    QOR3dVector position;
    float length;
};

#endif
