// Sky box: a textured cube drawn around the eye, scrolling clouds and a drifting moon.
#ifndef QORVEL_SKYBOX_H
#define QORVEL_SKYBOX_H

#include "Texture.h"

#include <GL/gl.h>

class SkyBox {
public:
    // Builds the geometry and start values only; nothing is loaded.
    SkyBox();
    // Room for one image name: a whole path, so an installed or moved tree's images fit.
    static const int NAME_SLOT = 4096;
    // inimgfilename: six consecutive NAME_SLOT-character slots, slot i naming face i's image.
    explicit SkyBox(const char* inimgfilename);
    virtual ~SkyBox();

    SkyBox(const SkyBox&) = delete;
    SkyBox& operator=(const SkyBox&) = delete;

    // Draws the cube (half-extents scalex/y/z around the centre) and the moon, then advances
    // the animation by one step.
    void DrawSkyBox(GLfloat scalex, GLfloat scaley, GLfloat scalez, GLfloat centerx,
                    GLfloat centery, GLfloat centerz);
    // The same picture without the step: a paused scene's sky.
    void drawStill(GLfloat scalex, GLfloat scaley, GLfloat scalez, GLfloat centerx,
                   GLfloat centery, GLfloat centerz);
    // The clouds' and the moon's step of one frame; draws a random number.
    void scroll();
    void setScale(float theScale);
    void setMovement(float theMoving);

    float v[8][3];
    int texIds[6];
    int faces[6][4];
    float mv[4][3];
    Texture SkyTexture[6];
    Texture MoonTexture;
    float skyDisplacement;
    float moonDisplacement;
    float moving;
    float scale;

private:
    void setGeometry();
};

#endif
