// The arm's drawing and the measurement of its tip from the model-view matrix.
#include "Character_Arm.h"

#include <GL/gl.h>

#include "Ellipsoid.h"

Character_Arm::Character_Arm(float xPos, float yPos, float zPos, float theShoulderYaw,
                             float theShoulderPitch, float theElbowPitch, float theWristPitch)
    : IKcont(true), LOD(10), doDraw(true), paused(false), imagePath(), myTexture(nullptr),
      muscleAmount(0.5f), myTimer(), goal(0.0f, 0.0f, 0.0f), position(xPos, yPos, zPos),
      endpoint(0.0f, 0.0f, 0.0f), wristPitch(theWristPitch), elbowPitch(theElbowPitch),
      shoulderPitch(theShoulderPitch), shoulderYaw(theShoulderYaw), lengthUpper(0.25f),
      lengthLower(0.25f), lengthHand(0.1f) {
    myTimer.start(nullptr);
}

void Character_Arm::drawEllipse(float x, float y, float z) {
    if (!doDraw) return;
    drawEllipsoid(x, y, z, LOD);
}

void Character_Arm::draw() {
    // Bending the elbow (negative angles) thickens the upper arm.
    const float upper = (lengthUpper * muscleAmount * (elbowPitch / -120.0f) + lengthUpper) * 0.23f;
    const float lower = (lengthLower * muscleAmount + lengthLower) * 0.2f;
    const float hand = (lengthHand * muscleAmount + lengthHand) * 0.2f;

    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(shoulderYaw, 0.0f, 1.0f, 0.0f);
    glRotatef(shoulderPitch, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(upper, upper, lengthUpper);
    glTranslatef(0.0f, 0.0f, 0.5f);
    drawEllipse(1.0f, 1.0f, 0.9f);
    glTranslatef(0.0f, -0.3f, 0.0f);
    drawEllipse(1.0f, 1.3f, 0.6f);
    glTranslatef(0.0f, 0.7f, -0.3f);
    drawEllipse(0.7f, 1.0f, 0.35f);
    glTranslatef(0.0f, 0.0f, 0.4f);
    drawEllipse(0.7f, 0.9f, 0.35f);
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, lengthUpper);  // elbow
    drawEllipse(0.07f, 0.07f, 0.07f);
    glRotatef(elbowPitch, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(lower, lower, lengthLower);
    glTranslatef(0.0f, 0.0f, 0.5f);
    drawEllipse(1.0f, 1.0f, 0.9f);
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, lengthLower);  // wrist
    drawEllipse(0.07f, 0.07f, 0.07f);
    glRotatef(wristPitch, 1.0f, 0.0f, 0.0f);

    glPushMatrix();
    glScalef(hand, hand, lengthHand);
    glTranslatef(0.0f, 0.0f, 0.8f);
    drawEllipse(1.0f, 2.0f, 1.0f);
    endpoint = modelViewOrigin();
    glPopMatrix();

    glPopMatrix();
}

void Character_Arm::updateEndpoint() {
    doDraw = false;
    draw();
    doDraw = true;
}

QOR3dVector Character_Arm::measureTip() {
    const QOR3dVector kept = endpoint;
    updateEndpoint();
    const QOR3dVector tip = endpoint;
    endpoint = kept;
    return tip;
}

void Character_Arm::drawPose() {
    const QOR3dVector kept = endpoint;
    draw();
    endpoint = kept;
}
