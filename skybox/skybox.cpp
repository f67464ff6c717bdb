// Sky box: six face textures on a unit cube scaled around the eye, plus a blended moon quad.
#include "skybox.h"

#include "ImageFolder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const float kCorners[8][3] = {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1},
                              {1, -1, -1},  {1, -1, 1},  {1, 1, 1},  {1, 1, -1}};
// Faces: z = +1, floor, z = -1, x = +1, x = -1, top.
const int kFaces[6][4] = {{5, 1, 2, 6}, {5, 4, 0, 1}, {0, 4, 7, 3},
                          {4, 5, 6, 7}, {1, 0, 3, 2}, {2, 3, 7, 6}};
const float kTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

SkyBox::SkyBox() {
    setGeometry();
}

SkyBox::SkyBox(const char* inimgfilename) {
    setGeometry();
    const std::string moonfile = imagePath("moon.tga");
    for (int i = 0; i < 6; ++i) {
        const char* name = inimgfilename + NAME_SLOT * i;
        if (!SkyTexture[i].Init(name, 0))
            printf("Terrain::myTexture->Init(): Error loading TGA file: %s \n", name);
    }
    if (!MoonTexture.Init(moonfile.c_str(), 0))
        printf("Terrain::myTexture->Init(): Error loading: %s\n", moonfile.c_str());
}

// The textures are members: they go moon first, then faces 5 down to 0, each deleting its
// GL name on the way.
SkyBox::~SkyBox() {}

void SkyBox::setGeometry() {
    memcpy(v, kCorners, sizeof v);
    memcpy(faces, kFaces, sizeof faces);
    for (int k = 0; k < 4; k++) {  // a flat square from -1 to 1, its texture from 0 to 1
        mv[k][0] = 2.0f * kTexCoords[k][0] - 1.0f;
        mv[k][1] = 2.0f * kTexCoords[k][1] - 1.0f;
        mv[k][2] = 0.0f;
    }
    memset(texIds, 0, sizeof texIds);
    scale = 1.0f;
    moving = 0.0f;
    skyDisplacement = 0.0f;
    moonDisplacement = 10.0f;
}

void SkyBox::setScale(float theScale) { scale = theScale; }
void SkyBox::setMovement(float theMoving) { moving = theMoving; }

void SkyBox::DrawSkyBox(GLfloat scalex, GLfloat scaley, GLfloat scalez, GLfloat centerx,
                        GLfloat centery, GLfloat centerz) {
    drawStill(scalex, scaley, scalez, centerx, centery, centerz);
    scroll();
}

void SkyBox::drawStill(GLfloat scalex, GLfloat scaley, GLfloat scalez, GLfloat centerx,
                       GLfloat centery, GLfloat centerz) {
    const double sky = (double)moving * skyDisplacement;

    glPushMatrix();
    glTranslatef(centerx, centery, centerz);
    glRotatef((float)(sky * 100.0f), 0.0f, 1.0f, 0.0f);
    glScalef(scalex, scaley, scalez);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(0.0f, (float)sky, 0.0f);
    glScalef(scale, scale, scale);
    for (int i = 5; i >= 0; --i) {
        glBindTexture(GL_TEXTURE_2D, SkyTexture[i].GetID());
        glBegin(GL_QUADS);
        for (int k = 0; k < 4; ++k) {
            glTexCoord2f(kTexCoords[k][0], kTexCoords[k][1]);
            glVertex3fv(v[faces[i][k]]);
        }
        glEnd();
    }
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    glPushMatrix();
    glTranslatef((float)(centerx - (double)moving * moonDisplacement * 1.2 - 8.0),
                 (float)((double)centery + 4.0f), (float)((double)centerz - 20.0f));
    glScalef(2.0f, 2.0f, 2.0f);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, MoonTexture.GetID());
    glBegin(GL_QUADS);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(kTexCoords[k][0], kTexCoords[k][1]);
        glVertex3fv(mv[k]);
    }
    glEnd();
    glPopMatrix();
    // Left on purpose: blending stays enabled with the scene's (SRC_ALPHA, DST_ALPHA) function.
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void SkyBox::scroll() {
    const int r = rand();
    skyDisplacement = (float)(skyDisplacement -
                              ((double)r / 2147483648.0f * 0.00025f + 0.0015f));
    moonDisplacement = (float)(moonDisplacement - 0.12);
}
