// The leg's drawing and the measurement of its foot tip from the model-view matrix.
#include "Character_Leg.h"

#include <GL/gl.h>

#include "Ellipsoid.h"

Character_Leg::Character_Leg(float xPos, float yPos, float zPos, float theHipYaw,
                             float theHipPitch, float theKneePitch, float theAnklePitch)
    : IKcont(true), LOD(10), imagePath(), myTexture(nullptr), doDraw(true), paused(false),
      muscleAmount(0.5f), myTimer(), goal(xPos, yPos, zPos), position(xPos, yPos, zPos),
      endpoint(0.0f, 0.0f, 0.0f), anklePitch(theAnklePitch), kneePitch(theKneePitch),
      hipPitch(theHipPitch), hipYaw(theHipYaw), lengthThigh(0.4f), lengthShin(0.4f),
      lengthFoot(0.15f) {
    myTimer.start(nullptr);
}

void Character_Leg::drawEllipse(float x, float y, float z) {
    if (!doDraw) return;
    drawEllipsoid(x, y, z, LOD);
}

void Character_Leg::draw() {
    // The thigh bulges as the knee bends.
    const float thigh = (lengthThigh * muscleAmount * (kneePitch / 300.0f) + lengthThigh) * 0.2f;
    const float shin = (lengthShin * muscleAmount + lengthShin) * 0.2f;
    const float foot = (lengthFoot * muscleAmount + lengthFoot) * 0.2f;

    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(hipYaw, 0.0f, 1.0f, 0.0f);
    glRotatef(hipPitch, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(thigh, thigh, lengthThigh);
    glTranslatef(0.0f, 0.0f, 0.5f);
    drawEllipse(1.0f, 1.0f, 0.7f);
    glTranslatef(0.0f, -0.25f, 0.0f);
    drawEllipse(1.0f, 1.5f, 0.6f);
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, lengthThigh);  // knee
    glPushMatrix();
    glTranslatef(0.0f, -lengthThigh / 15.0f, lengthThigh / 10.0f);
    glRotatef(kneePitch / 2.0f, 1.0f, 0.0f, 0.0f);
    drawEllipse(0.05f, 0.05f, 0.07f);  // knee cap
    glPopMatrix();
    // The shin turns by half the knee angle.
    glRotatef(kneePitch / 2.0f, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(shin, shin, lengthShin);
    glTranslatef(0.0f, 0.0f, 0.5f);
    drawEllipse(0.5f, 0.5f, 0.7f);
    glTranslatef(0.0f, -0.25f, -0.1f);
    drawEllipse(0.8f, 0.8f, 0.4f);
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, lengthShin);  // ankle
    drawEllipse(0.07f, 0.07f, 0.07f);
    glRotatef(anklePitch, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(foot, foot, lengthFoot);
    glTranslatef(0.0f, 0.0f, 0.5f);
    drawEllipse(1.0f, 1.0f, 1.0f);
    endpoint = modelViewOrigin();
    glPopMatrix();

    glPopMatrix();
}

void Character_Leg::updateEndpoint() {
    doDraw = false;
    draw();
    doDraw = true;
}

QOR3dVector Character_Leg::measureTip() {
    const QOR3dVector kept = endpoint;
    updateEndpoint();
    const QOR3dVector tip = endpoint;
    endpoint = kept;
    return tip;
}

void Character_Leg::drawPose() {
    const QOR3dVector kept = endpoint;
    draw();
    endpoint = kept;
}
