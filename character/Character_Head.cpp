// The head: a solid core and a translucent shell drawn with depth writes off.
#include "Character_Head.h"

#include <GL/gl.h>

#include "Ellipsoid.h"

Character_Head::Character_Head(float xPoint, float yPoint, float zPoint)
    : LOD(50), paused(false), doDraw(true), imagePath(), myTexture(nullptr), muscleAmount(0.5f),
      // Both expressions start neutral so their getters never read garbage.
      length(0.1f), myTimer(), goalExpression(EXPRESSION_NEUTRAL),
      position(xPoint, yPoint, zPoint), viewDirection(0.0f, 0.0f, 0.0f),
      myExpression(EXPRESSION_NEUTRAL) {
    myTimer.start(nullptr);
}

void Character_Head::drawEllipse(float x, float y, float z) {
    if (!doDraw) return;
    drawEllipsoid(x, y, z, LOD);
}

void Character_Head::draw() {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glScalef(length, length, length);
    drawEllipse(0.7f, 0.9f, 0.7f);

    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    // The shell colour stays current and blending ends disabled; callers set their own colour.
    glColor4f(0.5f, 0.5f, 1.0f, 0.5f);
    drawEllipse(1.2f, 1.2f, 1.2f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);

    glPopMatrix();
}
