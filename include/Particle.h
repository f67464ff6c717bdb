// A single spark or flame sprite: a small mass moving by its own stopwatch, shown as a dot,
// a fading trail, a textured square turned towards the eye, or square plus trail.
#ifndef QORVEL_PARTICLE_H
#define QORVEL_PARTICLE_H

#include "BallisticBody.h"
#include "Drawable.h"
#include "QOR3dVector.h"
#include "timer.h"

class Particle : public BallisticBody, public Drawable {
public:
    enum particleType {
        PARTICLE_POINT = 0,
        PARTICLE_LINE = 1,
        PARTICLE_POLYGON = 2,
        PARTICLE_TRIANGLE_STRIP = 3,
        PARTICLE_TRIANGLE_STRIP_AND_LINE = 4,
        PARTICLE_POLYGON_AND_LINE = 5
    };

    Particle(QOR3dVector thePosition, QOR3dVector theVelocity, QOR3dVector theAcceleration,
             QORColor theColor, particleType theType, bool theAlive, float theLifeTime,
             float theSize, float theMass);
    ~Particle() override;

    void update() override;

    void setPosition(QOR3dVector p) override;
    void setVelocity(QOR3dVector v) override;
    void setAcceleration(QOR3dVector a) override;
    void setXPosition(float v) override;
    void setYPosition(float v) override;
    void setZPosition(float v) override;
    void setXVelocity(float v) override;
    void setYVelocity(float v) override;
    void setZVelocity(float v) override;
    void setXAcceleration(float v) override;
    void setYAcceleration(float v) override;
    void setZAcceleration(float v) override;
    void setSize(float s) override;
    void setMass(float m) override;
    float getXPosition() override;
    float getYPosition() override;
    float getZPosition() override;
    float getXVelocity() override;
    float getYVelocity() override;
    float getZVelocity() override;
    float getXAcceleration() override;
    float getYAcceleration() override;
    float getZAcceleration() override;
    float getSize() override;
    float getMass() override;

    void draw() override;
    void pause() override;
    bool isPaused() override;

    void setType(particleType newType);
    void setLifeTime(float newLifeTime);
    void setAlive(bool newAlive);
    void setColor(float newR, float newG, float newB, float newAlpha);
    particleType getType() const;
    float getLifeTime() const;
    bool isAlive() const;
    QORColor getColor() const;
    QOR3dVector getPosition() const;
    QOR3dVector getVelocity() const;
    QOR3dVector getAcceleration() const;

    // Far end of the streak, relative to the particle: behind the motion, scaled by size.
    QOR3dVector streakEnd() const;

    // Turns a column-major model-view matrix into one that keeps the eye-space position
    // but has no rotation or scale, so a square drawn with it faces the viewer.
    static void faceViewer(float m[16]);

private:
    void drawPoint();
    void drawLine();
    void drawPolygon();
    void drawTriangleStrip();

    particleType type;
    bool alive;
    bool paused;
    float lifeTime;
    QORColor color;
    QOR3dVector position;
    QOR3dVector velocity;
    QOR3dVector acceleration;
    float size;
    float mass;
    timer myTimer;
};

#endif
