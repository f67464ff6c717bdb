// The panel is a translucent dark rectangle with white bitmap text, so it reads over the bright
// sky and the dark ground alike.
#include "HelpOverlay.h"

#include "KeyTable.h"
#include "SceneTime.h"

#include <GL/glut.h>

#include <cstdio>

namespace {
void* const FONT = GLUT_BITMAP_8_BY_13;
const int LINE = 15;         // pixels from one text line to the next
const int MARGIN = 10;
const int KEY_COLUMN = 104;  // where the descriptions start, right of the longest key names

void text(int x, int y, const char* s) {
    glRasterPos2i(x, y);
    for (; *s; ++s) glutBitmapCharacter(FONT, *s);
}
}  // namespace

void HelpOverlay::draw(int windowWidth, int windowHeight) const {
    if (!shown) return;
    const int rows = KEY_TABLE_ROWS + 3;  // the frame rate, a blank line and the note first
    const int panelHeight = rows * LINE + 2 * MARGIN;
    int panelWidth = glutBitmapLength(FONT, (const unsigned char*)KEY_TABLE_NOTE);
    for (int i = 0; i < KEY_TABLE_ROWS; i++) {
        const int w = glutBitmapLength(FONT, (const unsigned char*)KEY_TABLE[i].help);
        if (w + KEY_COLUMN > panelWidth) panelWidth = w + KEY_COLUMN;
    }
    panelWidth += 2 * MARGIN;

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_TRANSFORM_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Pixel coordinates with y down from the window's top edge.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, windowWidth, windowHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glColor4f(0.0f, 0.0f, 0.0f, 0.65f);
    glRecti(0, 0, panelWidth, panelHeight);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    char fps[96];
    const char* time = sceneTimeLabel();
    const char* apart = *time ? ", scene " : "";
    if (limit > 0)
        std::snprintf(fps, sizeof fps, "%.1f frames a second (at most %d)%s%s", rate.perSecond(),
                      limit, apart, time);
    else
        std::snprintf(fps, sizeof fps, "%.1f frames a second (no limit)%s%s", rate.perSecond(),
                      apart, time);
    int y = MARGIN + LINE - 3;  // the raster position is the text's baseline
    text(MARGIN, y, fps);
    y += 2 * LINE;
    text(MARGIN, y, KEY_TABLE_NOTE);
    y += LINE;
    for (int i = 0; i < KEY_TABLE_ROWS; i++, y += LINE) {
        text(MARGIN, y, KEY_TABLE[i].keys);
        text(MARGIN + KEY_COLUMN, y, KEY_TABLE[i].help);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // also gives back the model-view as the current matrix
}
