// The drawing interface every scene object implements, and the RGBA colour record.
#ifndef QORVEL_DRAWABLE_H
#define QORVEL_DRAWABLE_H

struct QORColor {
    float r;
    float g;
    float b;
    float alpha;
};

static const QORColor defaultColor = {1.0f, 1.0f, 1.0f, 1.0f};

class Drawable {
public:
    virtual ~Drawable() {}
    virtual void draw() = 0;
    virtual void pause() = 0;      // toggles: a second call un-pauses
    virtual bool isPaused() = 0;
};

#endif
