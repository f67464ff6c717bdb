// The assembled character: construction and pose, ballistic update, drawing, and the greedy
// joint search that moves each limb's tip toward its goal.
#include "Character.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Upper bound first, so that a NaN angle ends on the upper bound rather than staying NaN.
float clampJoint(float angle, float lowest, float highest) {
    if (!(angle < highest)) angle = highest;
    if (!(angle > lowest)) angle = lowest;
    return angle;
}

// One joint of one search pass: try start + step; if the tip moved farther from the goal
// than currdist, fall back to start - 2 step; clamp. Legs re-measure right after the
// fall-back and never after the clamp; arms re-measure once after the clamp. Returns the
// goal-to-tip difference with the tip as last measured.
template <class Limb>
QOR3dVector searchJoint(Limb* limb, void (Limb::*setAngle)(float), float start, float step,
                        float lowest, float highest, bool measureAfterClamp,
                        QOR3dVector currdist) {
    const QOR3dVector goal = limb->getGoalEndpointPosition();
    float angle = start + step;
    (limb->*setAngle)(angle);
    limb->updateEndpoint();
    const QOR3dVector newdist = goal.minus(limb->getEndPoint());
    if (newdist.length() > currdist.length()) {
        angle = start - 2.0f * step;
        (limb->*setAngle)(angle);
        if (!measureAfterClamp) limb->updateEndpoint();
    }
    (limb->*setAngle)(clampJoint(angle, lowest, highest));
    if (measureAfterClamp) limb->updateEndpoint();
    return goal.minus(limb->getEndPoint());
}

// The body frame on top of the current model-view: position, heading, then size.
void applyBodyFrame(QOR3dVector position, float heading, float size) {
    glTranslatef(position.x, position.y, position.z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glScalef(size, size, size);
}

}  // namespace

Character::Character()
    : name(), myRightLeg(nullptr), myLeftLeg(nullptr), myRightArm(nullptr), myLeftArm(nullptr),
      myHead(nullptr), myTorso(nullptr), myTrunk(nullptr), myTail(nullptr), myWeapon(nullptr),
      mySpecial(nullptr), heading(0.0f), myTimer(), position(0.0f, 0.0f, 0.0f),
      velocity(0.0f, 0.0f, 0.0001f), acceleration(0.0f, 0.0f, 0.0f), size(1.0f), mass(1.0f),
      paused(false), health(100.0f) {
    myTimer.start(nullptr);

    myLeftArm = new Character_Arm(0, 0, 0, 0, 0, 0, 0);
    myRightArm = new Character_Arm(0, 0, 0, 0, 0, 0, 0);
    myLeftLeg = new Character_Leg(0, 0, 0, 0, 0, 0, 0);
    myRightLeg = new Character_Leg(0, 0, 0, 0, 0, 0, 0);
    myHead = new Character_Head(0, 0, 0);
    myTorso = new Character_Torso(0, 0, 0);
    myTrunk = new Character_Trunk(0, 0, 0);

    const float T = myTrunk->getLength();
    const float S = myTorso->getLength();
    // The left side of the body is +x. Leg goals stay at the origin until a gait sets them.
    myLeftLeg->setHipYaw(45.0f);
    myLeftLeg->setPosition(QOR3dVector(T / 2.0f, 0.0f, 0.0f));
    myLeftLeg->setAnklePitch(-70.0f);
    myRightLeg->setHipYaw(-25.0f);
    myRightLeg->setPosition(QOR3dVector(-T / 2.0f, 0.0f, 0.0f));
    myRightLeg->setAnklePitch(-70.0f);
    myTorso->setPosition(QOR3dVector(0.0f, T, 0.0f));
    myRightArm->setPosition(QOR3dVector(-0.8f * S, T + 0.65f * S, 0.0f));
    myRightArm->setShoulderYaw(-5.0f);
    myLeftArm->setPosition(QOR3dVector(0.8f * S, T + 0.65f * S, 0.0f));
    myLeftArm->setShoulderYaw(45.0f);
    myHead->setPosition(QOR3dVector(0.0f, T + 0.65f * S + 0.2f * S, 0.0f));
}

Character::~Character() {
    delete myLeftArm;
    delete myRightArm;
    delete myLeftLeg;
    delete myRightLeg;
    delete myHead;
    delete myTorso;
    delete myTrunk;
    myLeftArm = myRightArm = nullptr;
    myLeftLeg = myRightLeg = nullptr;
    myHead = nullptr;
    myTorso = nullptr;
    myTrunk = nullptr;
    myTail = nullptr;
    myWeapon = nullptr;
    mySpecial = nullptr;
}

void Character::update() {
    if (isPaused()) return;
    const double dt = myTimer.lap();
    const QOR3dVector before = velocity;
    const QOR3dVector from = position;
    stepSemiImplicit(position, velocity, acceleration, dt);
    // Sideways, only friction acts on a character, and friction stops motion rather than
    // reversing it. On the step that would turn the horizontal motion round, or bring it to
    // rest (a ten-thousandth of the speed left by rounding counts as rest), the figure slides
    // as far as friction lets it, then stands.
    const float speedSquared = before.x * before.x + before.z * before.z;
    const float left = velocity.x * before.x + velocity.z * before.z;
    if (speedSquared > 0.0f && left <= 1e-4f * speedSquared) {
        const float pull = std::sqrt(acceleration.x * acceleration.x +
                                     acceleration.z * acceleration.z);
        const float slide = speedSquared / (2.0f * pull);  // v^2 / (2 |a|)
        const float speed = std::sqrt(speedSquared);
        position.x = from.x + before.x / speed * slide;
        position.z = from.z + before.z / speed * slide;
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        acceleration.x = 0.0f;
        acceleration.z = 0.0f;
    }
}

void Character::draw() {
    glPushMatrix();
    applyBodyFrame(position, getHeading(), size);

    // Legs are drawn with last frame's angles; the arms below with this frame's.
    myLeftLeg->draw();
    myRightLeg->draw();
    updateLegIK(myLeftLeg);
    updateLegIK(myRightLeg);
    updateArmIK(myLeftArm);
    updateArmIK(myRightArm);
    myTrunk->draw();
    myTorso->draw();
    myLeftArm->draw();
    myRightArm->draw();
    myHead->draw();

    glPopMatrix();
}

void Character::drawPose() {
    glPushMatrix();
    applyBodyFrame(position, getHeading(), size);
    myLeftLeg->drawPose();
    myRightLeg->drawPose();
    myTrunk->draw();
    myTorso->draw();
    myLeftArm->drawPose();
    myRightArm->drawPose();
    myHead->draw();
    glPopMatrix();
}

QOR3dVector Character::tipOf(Character_Leg* leg) {
    glPushMatrix();
    glLoadIdentity();
    applyBodyFrame(position, getHeading(), size);
    const QOR3dVector tip = leg->measureTip();
    glPopMatrix();
    return tip;
}

QOR3dVector Character::tipOf(Character_Arm* arm) {
    glPushMatrix();
    glLoadIdentity();
    applyBodyFrame(position, getHeading(), size);
    const QOR3dVector tip = arm->measureTip();
    glPopMatrix();
    return tip;
}

void Character::updateLegIK(Character_Leg* Leg) {
    glPushMatrix();
    glLoadIdentity();
    applyBodyFrame(position, getHeading(), size);
    // The stored tip may be in eye coordinates from the last draw; measure it in the world
    // frame of the goals before the first comparison.
    Leg->updateEndpoint();

    const QOR3dVector G = Leg->getGoalEndpointPosition();
    for (int pass = 0; pass < 5; ++pass) {
        const QOR3dVector begindist = G.minus(Leg->getEndPoint());
        const float y0 = Leg->getHipYaw();
        const float p0 = Leg->getHipPitch();
        const float k0 = Leg->getKneePitch();
        QOR3dVector currdist = begindist;
        currdist = searchJoint(Leg, &Character_Leg::setHipYaw, y0, 0.5f, -30.0f, 30.0f, false,
                               currdist);
        currdist = searchJoint(Leg, &Character_Leg::setHipPitch, p0, 1.0f, -40.0f, 120.0f, false,
                               currdist);
        currdist = searchJoint(Leg, &Character_Leg::setKneePitch, k0, 1.0f, 0.0f, 140.0f, false,
                               currdist);
        if (currdist.length() > begindist.length()) Leg->setIKcont(false);
    }
    glPopMatrix();
}

void Character::updateArmIK(Character_Arm* Arm) {
    glPushMatrix();
    glLoadIdentity();
    applyBodyFrame(position, getHeading(), size);
    // As for the legs: start from a tip measured in the goal's frame.
    Arm->updateEndpoint();

    const QOR3dVector G = Arm->getGoalEndpointPosition();
    for (int pass = 0; pass < 8; ++pass) {
        const QOR3dVector begindist = G.minus(Arm->getEndPoint());
        const float p0 = Arm->getShoulderPitch();
        const float y0 = Arm->getShoulderYaw();
        const float e0 = Arm->getElbowPitch();
        QOR3dVector currdist = begindist;
        currdist = searchJoint(Arm, &Character_Arm::setShoulderYaw, y0, 0.5f, -50.0f, 50.0f, true,
                               currdist);
        currdist = searchJoint(Arm, &Character_Arm::setShoulderPitch, p0, 1.0f, -80.0f, 100.0f,
                               true, currdist);
        currdist = searchJoint(Arm, &Character_Arm::setElbowPitch, e0, 1.0f, -120.0f, 0.0f, true,
                               currdist);
        if (currdist.length() > begindist.length()) Arm->setIKcont(false);
    }
    glPopMatrix();
}

QOR3dVector Character::getMinYPoint() {
    const QOR3dVector left = myLeftLeg->getEndPoint();
    const QOR3dVector right = myRightLeg->getEndPoint();
    const float L = left.y;
    const float R = right.y;
    const float P = position.y;
    if (R > L && P > L) return left;
    if (P > R) return right;
    return position;
}
