// A single particle: semi-implicit integration on its own stopwatch and the four ways it draws.
#include "Particle.h"

#include <GL/gl.h>

Particle::Particle(QOR3dVector thePosition, QOR3dVector theVelocity,
                   QOR3dVector theAcceleration, QORColor theColor, particleType theType,
                   bool theAlive, float theLifeTime, float theSize, float theMass)
    : type(theType),
      alive(theAlive),
      paused(false),
      lifeTime(theLifeTime),
      color(theColor),
      position(thePosition),
      velocity(theVelocity),
      acceleration(theAcceleration),
      size(theSize),
      mass(theMass) {
    myTimer.start(nullptr);
}

Particle::~Particle() {}

void Particle::update() {
    if (!alive || isPaused()) return;
    double deltaT = myTimer.lap();

    stepSemiImplicit(position, velocity, acceleration, deltaT);

    lifeTime = (float)(lifeTime - deltaT);
    if (lifeTime <= 0.0f) alive = false;  // false for NaN: such a particle never dies
}

void Particle::setPosition(QOR3dVector p) { position = p; }
void Particle::setVelocity(QOR3dVector v) { velocity = v; }
void Particle::setAcceleration(QOR3dVector a) { acceleration = a; }
void Particle::setXPosition(float v) { position.x = v; }
void Particle::setYPosition(float v) { position.y = v; }
void Particle::setZPosition(float v) { position.z = v; }
void Particle::setXVelocity(float v) { velocity.x = v; }
void Particle::setYVelocity(float v) { velocity.y = v; }
void Particle::setZVelocity(float v) { velocity.z = v; }
void Particle::setXAcceleration(float v) { acceleration.x = v; }
void Particle::setYAcceleration(float v) { acceleration.y = v; }
void Particle::setZAcceleration(float v) { acceleration.z = v; }
void Particle::setSize(float s) { size = s; }
void Particle::setMass(float m) { mass = m; }
float Particle::getXPosition() { return position.x; }
float Particle::getYPosition() { return position.y; }
float Particle::getZPosition() { return position.z; }
float Particle::getXVelocity() { return velocity.x; }
float Particle::getYVelocity() { return velocity.y; }
float Particle::getZVelocity() { return velocity.z; }
float Particle::getXAcceleration() { return acceleration.x; }
float Particle::getYAcceleration() { return acceleration.y; }
float Particle::getZAcceleration() { return acceleration.z; }
float Particle::getSize() { return size; }
float Particle::getMass() { return mass; }

void Particle::setType(particleType newType) { type = newType; }
void Particle::setLifeTime(float newLifeTime) { lifeTime = newLifeTime; }
void Particle::setAlive(bool newAlive) { alive = newAlive; }
void Particle::setColor(float newR, float newG, float newB, float newAlpha) {
    color.r = newR;
    color.g = newG;
    color.b = newB;
    color.alpha = newAlpha;
}
Particle::particleType Particle::getType() const { return type; }
float Particle::getLifeTime() const { return lifeTime; }
bool Particle::isAlive() const { return alive; }
QORColor Particle::getColor() const { return color; }
QOR3dVector Particle::getPosition() const { return position; }
QOR3dVector Particle::getVelocity() const { return velocity; }
QOR3dVector Particle::getAcceleration() const { return acceleration; }

void Particle::pause() {
    // Starting afresh on resume means the paused interval never reaches a time step.
    if (paused)
        myTimer.start(nullptr);
    else
        myTimer.stop(nullptr);
    paused = !paused;
}

bool Particle::isPaused() { return paused; }

QOR3dVector Particle::streakEnd() const {
    double k = -0.5 * size;
    return QOR3dVector((float)(velocity.x * k), (float)(velocity.y * k), (float)(velocity.z * k));
}

void Particle::faceViewer(float m[16]) {
    for (int i = 0; i < 12; i++)
        if (i % 4 != 3) m[i] = 0.0f;
    m[0] = m[5] = m[10] = 1.0f;
}

void Particle::draw() {
    if (!alive) return;
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    glColor4f(color.r, color.g, color.b, color.alpha);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    switch (type) {
    case PARTICLE_POINT:
        drawPoint();
        break;
    case PARTICLE_LINE:
        drawLine();
        break;
    case PARTICLE_POLYGON:
        drawPolygon();
        break;
    case PARTICLE_TRIANGLE_STRIP:
        drawTriangleStrip();
        break;
    case PARTICLE_TRIANGLE_STRIP_AND_LINE:
        drawTriangleStrip();
        drawLine();
        break;
    case PARTICLE_POLYGON_AND_LINE:
        drawPolygon();
        drawLine();
        break;
    default:
        break;
    }
    glPopMatrix();
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
}

// Leaves GL_TEXTURE_2D enabled on purpose: the textured squares of the next particle expect it.
void Particle::drawPoint() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_POINT_SMOOTH);
    // A size of zero or less would be a GL error and shows nothing anyway.
    if (size > 0.0f) {
        glPointSize(size);
        glPushMatrix();
        glBegin(GL_POINTS);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_POINT_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

// Leaves GL_TEXTURE_2D enabled, and the current colour at the streak's transparent end.
void Particle::drawLine() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    if (size > 0.0f) {
        QOR3dVector end = streakEnd();
        glLineWidth(size);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glBegin(GL_LINES);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor4f(color.r, color.g, color.b, 0.0f);
        glVertex3f(end.x, end.y, end.z);
        glEnd();
    }
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

namespace {
// Replaces rotation and scale of the current model-view matrix, keeping the eye position.
void loadBillboard() {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    Particle::faceViewer(m);
    glLoadMatrixf(m);
}
}  // namespace

// Leaves GL_TEXTURE_2D disabled.
void Particle::drawPolygon() {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    loadBillboard();
    glScalef(size, size, size);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_POLYGON);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.5f, -0.5f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.5f, 0.5f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-0.5f, 0.5f, 0.0f);
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

// Leaves GL_TEXTURE_2D disabled.
void Particle::drawTriangleStrip() {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    loadBillboard();
    glScalef(size, size, size);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.5f, 0.5f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-0.5f, 0.5f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.5f, -0.5f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}
