// A character's head: a solid ellipsoid inside a translucent bluish shell.
#ifndef QORVEL_CHARACTER_HEAD_H
#define QORVEL_CHARACTER_HEAD_H

#include <string>

#include "Drawable.h"
#include "Expressions.h"
#include "QOR3dVector.h"
#include "timer.h"

class Texture;

class Character_Head : public Drawable {
public:
    Character_Head(float xPoint, float yPoint, float zPoint);

    QOR3dVector getPosition() { return position; }
    void setPosition(QOR3dVector p) { position = p; }
    float getLength() { return length; }
    void setMuscle(float m) { muscleAmount = m; }  // kept, like the other parts' amounts
    float getMuscle() { return muscleAmount; }
    std::string getTexture() { return imagePath; }
    void setTexture(std::string path) { imagePath = path; }

    void setViewDirection(QOR3dVector v) { viewDirection = v; }
    QOR3dVector getViewDirection() { return viewDirection; }
    void setGoalExpression(Expression e) { goalExpression = e; }
    Expression getGoalExpression() { return goalExpression; }
    Expression getExpression() { return myExpression; }

    // Afterwards blending is off and the shell's colour (0.5, 0.5, 1, 0.5) is still current.
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
    float length;
    timer myTimer;
    Expression goalExpression;
    QOR3dVector position;
    QOR3dVector viewDirection;
    Expression myExpression;
};

#endif
