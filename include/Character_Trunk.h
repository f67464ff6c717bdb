// The hip block of a character, at the body origin; the legs are mounted beside it.
#ifndef QORVEL_CHARACTER_TRUNK_H
#define QORVEL_CHARACTER_TRUNK_H

#include <string>

#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Trunk : public Drawable {
public:
    Character_Trunk(float xPoint, float yPoint, float zPoint);

    QOR3dVector getPosition() { return position; }
    void setPosition(QOR3dVector p) { position = p; }
    float getLength() { return length; }
    void setMuscle(float m) { muscle = m; }
    float getMuscle() { return muscle; }
    std::string getTexture() { return imagePath; }
    void setTexture(std::string path) { imagePath = path; }

    void draw() override;
    void pause() override { paused = !paused; }
    bool isPaused() override { return paused; }

protected:
    void drawEllipse(float x, float y, float z);

    bool doDraw;
    bool paused;
    int LOD;
    std::string imagePath;
    Texture* myTexture;
    float muscle;
    timer myTimer;
    QOR3dVector goalPos;
    QOR3dVector position;
    float length;
};

#endif
