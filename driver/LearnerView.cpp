// Everything is projected to window pixels first and drawn flat, opaque and without depth, so
// marks keep their size at any distance and a hill never covers them.
#include "LearnerView.h"

#include "AI.h"
#include "Character.h"
#include "ParticleSystem.h"
#include "timer.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {
void* const FONT = GLUT_BITMAP_8_BY_13;
void* const SMALL_FONT = GLUT_BITMAP_HELVETICA_10;
const int LINE = 15;
const int SMALL_LINE = 12;
const float CROSS = 5.0f;   // half the goal cross, pixels
const float DOT = 3.0f;     // half the tip dot, pixels
const float ARROW = 1.0f;   // heading arrows' length on the ground
const float FIELD_ARROW = 2.0f;  // the strongest field's arrow

struct Colour { float r, g, b; };
const Colour GREEN{0.0f, 1.0f, 0.0f}, RED{1.0f, 0.0f, 0.0f}, YELLOW{1.0f, 1.0f, 0.0f},
    CYAN{0.0f, 1.0f, 1.0f}, WHITE{1.0f, 1.0f, 1.0f}, ORANGE{1.0f, 0.6f, 0.1f};
const Colour STEP_COLOURS[] = {
    {0.9f, 0.3f, 0.3f}, {0.3f, 0.6f, 1.0f}, {0.4f, 0.8f, 0.3f}, {1.0f, 0.5f, 0.8f},
    {0.9f, 0.8f, 0.2f}, {0.6f, 0.4f, 1.0f}, {0.2f, 0.9f, 0.9f}, {1.0f, 0.6f, 0.2f},
    {0.7f, 0.7f, 0.7f}, {0.5f, 1.0f, 0.6f}, {1.0f, 0.3f, 0.6f}, {0.4f, 0.5f, 0.9f},
    {0.8f, 1.0f, 0.3f}, {0.9f, 0.5f, 0.5f}, {0.6f, 0.9f, 1.0f}, {1.0f, 1.0f, 1.0f}};

// The scene's matrices, read once, to carry points to window pixels.
struct Projector {
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    Projector() {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    // False for a point behind the eye, which has no place on the window.
    bool toWindow(QOR3dVector p, float& x, float& y) const {
        double eye[4], clip[4];
        const double in[4] = {p.x, p.y, p.z, 1.0};
        for (int r = 0; r < 4; r++) {
            eye[r] = 0.0;
            for (int c = 0; c < 4; c++) eye[r] += modelView[c * 4 + r] * in[c];
        }
        for (int r = 0; r < 4; r++) {
            clip[r] = 0.0;
            for (int c = 0; c < 4; c++) clip[r] += projection[c * 4 + r] * eye[c];
        }
        if (clip[3] <= 1e-6) return false;
        x = (float)(viewport[0] + (clip[0] / clip[3] + 1.0) * 0.5 * viewport[2]);
        y = (float)(viewport[1] + (clip[1] / clip[3] + 1.0) * 0.5 * viewport[3]);
        return true;
    }
};

void colour(Colour c) { glColor3f(c.r, c.g, c.b); }

void line(float x0, float y0, float x1, float y1) {
    glBegin(GL_LINES);
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
    glEnd();
}

// Text with a dark shadow, so it reads over sky, ground and fire alike; y is the baseline.
void text(float x, float y, const char* s, Colour c, void* font = FONT) {
    glColor3f(0.0f, 0.0f, 0.0f);
    glRasterPos2f(x + 1.0f, y - 1.0f);
    for (const char* t = s; *t; ++t) glutBitmapCharacter(font, *t);
    colour(c);
    glRasterPos2f(x, y);
    for (const char* t = s; *t; ++t) glutBitmapCharacter(font, *t);
}

// An arrow between two points of the scene, its head in pixels.
void arrow(const Projector& to, QOR3dVector from, QOR3dVector head) {
    float x0, y0, x1, y1;
    if (!to.toWindow(from, x0, y0) || !to.toWindow(head, x1, y1)) return;
    line(x0, y0, x1, y1);
    const float dx = x1 - x0, dy = y1 - y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length < 1.0f) return;
    const float ux = dx / length * 8.0f, uy = dy / length * 8.0f;
    line(x1, y1, x1 - ux - uy * 0.5f, y1 - uy + ux * 0.5f);
    line(x1, y1, x1 - ux + uy * 0.5f, y1 - uy - ux * 0.5f);
}

// Goal as a cross, tip as a dot, joined: green once the tip is within reach of the goal.
void drawLimb(const Projector& to, QOR3dVector goal, QOR3dVector tip) {
    float gx, gy, tx, ty;
    if (!to.toWindow(goal, gx, gy) || !to.toWindow(tip, tx, ty)) return;
    colour(goal.minus(tip).length() <= LearnerView::IN_REACH ? GREEN : RED);
    line(tx, ty, gx, gy);
    glRectf(tx - DOT, ty - DOT, tx + DOT + 1.0f, ty + DOT + 1.0f);
    line(gx - CROSS, gy, gx + CROSS + 1.0f, gy);
    line(gx, gy - CROSS, gx, gy + CROSS + 1.0f);
}

void drawFigure(const Projector& to, Character* figure) {
    drawLimb(to, figure->getLeftArmGoal(), figure->tipOf(figure->myLeftArm));
    drawLimb(to, figure->getRightArmGoal(), figure->tipOf(figure->myRightArm));
    drawLimb(to, figure->getLeftLegGoal(), figure->tipOf(figure->myLeftLeg));
    drawLimb(to, figure->getRightLegGoal(), figure->tipOf(figure->myRightLeg));
    // The heading as the controller moves it: forward is (sin, 0, cos) of the heading.
    const QOR3dVector foot = figure->getMinYPoint();
    const QOR3dVector p = figure->getPosition();
    const float h = figure->getHeading() * (float)M_PI / 180.0f;
    const QOR3dVector base(p.x, foot.y, p.z);
    colour(YELLOW);
    arrow(to, base, base.add(QOR3dVector(std::sin(h), 0.0f, std::cos(h)).scale(ARROW)));
    float fx, fy;
    if (!to.toWindow(foot, fx, fy)) return;
    colour(CYAN);
    glRectf(fx - 4.0f, fy - 1.0f, fx + 5.0f, fy + 2.0f);
}

void drawChoice(const Projector& to, Character* figure, const AI& wanderer) {
    float x, y;
    if (!to.toWindow(figure->getPosition().add(QOR3dVector(0.0f, 0.9f, 0.0f)), x, y)) return;
    x += 40.0f;  // beside the head, clear of the arms
    static const char* const TURNS[] = {"forward", "left", "right"};
    char line1[64], line2[64];
    std::snprintf(line1, sizeof line1, "draw %.3f: %s, reaching", wanderer.lastDraw(),
                  TURNS[wanderer.lastTurn()]);
    std::snprintf(line2, sizeof line2, "left above %.2f, right below %.2f",
                  AI::LEFT_TURN_ABOVE, AI::RIGHT_TURN_BELOW);
    text(x, y + LINE, line1, WHITE);
    text(x, y, line2, WHITE);
}

const char* fieldName(aForce field) {
    if (field == &ForceField::forceGravity) return "gravity";
    if (field == &ForceField::forceDrag) return "drag";
    if (field == &ForceField::forceMagnet) return "magnet";
    return "field";
}

// A field's pull on the live particles as they are now, on average: applied alone to a copy
// of each, so the particles themselves are left as they were.
QOR3dVector meanPull(const ParticleSystem& system, aForce field) {
    QOR3dVector sum(0.0f, 0.0f, 0.0f);
    int live = 0;
    for (int i = 0; i < system.getNumParticles(); i++) {
        if (!system.getParticle(i)->isAlive()) continue;
        Particle probe = *system.getParticle(i);
        probe.setAcceleration(QOR3dVector(0.0f, 0.0f, 0.0f));
        ForceField fields;
        (fields.*field)(&probe);
        sum = sum.add(probe.getAcceleration());
        live++;
    }
    return live > 0 ? sum.scale(1.0f / (float)live) : sum;
}

// The label goes `row` lines down, so effects at one place (a figure in the standing fire)
// keep their labels apart.
void drawEffect(const Projector& to, const LearnerEffect& effect, int row) {
    float x, y;
    if (!to.toWindow(effect.source, x, y)) return;
    const ParticleSystem& system = *effect.system;
    const int fields = system.getNumForceFields();
    char label[96];
    std::snprintf(label, sizeof label, "%s: %d live%s", effect.name, system.countLive(),
                  fields == 0 ? ", no force fields" : "");
    text(x + 6.0f, y - (float)(LINE * (row + 1)), label, ORANGE);
    std::vector<QOR3dVector> pulls;
    float strongest = 0.0f;
    for (int i = 0; i < fields; i++) {
        pulls.push_back(meanPull(system, system.getForceField(i)));
        strongest = std::fmax(strongest, pulls[i].length());
    }
    if (strongest <= 0.0f) return;
    for (int i = 0; i < fields; i++) {
        const QOR3dVector head =
            effect.source.add(pulls[i].scale(FIELD_ARROW / strongest));
        colour(ORANGE);
        arrow(to, effect.source, head);
        float hx, hy;
        if (to.toWindow(head, hx, hy)) text(hx + 4.0f, hy, fieldName(system.getForceField(i)), ORANGE);
    }
}

// The last whole frame's steps, one colour each, side by side in a bar along the bottom; their
// names and times in the top-right corner on a dark backing.
void drawStepBar(const LearnerScene& scene, const double* seconds, int windowWidth,
                 int windowHeight) {
    double total = 0.0;
    for (int i = 0; i < scene.stepCount; i++) total += seconds[i];
    const float left = 10.0f, bottom = 6.0f, height = 8.0f;
    const float width = (float)windowWidth - 2.0f * left;
    const double scale = width / std::fmax(total, 1.0 / 60.0);  // a 60 Hz frame fills the bar
    float x = left;
    for (int i = 0; i < scene.stepCount; i++) {
        const float w = (float)(seconds[i] * scale);
        colour(STEP_COLOURS[i % 16]);
        glRectf(x, bottom, x + w, bottom + height);
        x += w;
    }
    const float legendLeft = (float)windowWidth - 190.0f;
    const float top = (float)windowHeight - 6.0f;
    const float legendBottom = top - (float)(scene.stepCount + 1) * SMALL_LINE - 6.0f;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.55f);
    glRectf(legendLeft - 6.0f, legendBottom, (float)windowWidth, (float)windowHeight);
    glDisable(GL_BLEND);
    char row[80];
    float y = top - SMALL_LINE + 2.0f;
    std::snprintf(row, sizeof row, "%6.2f ms  the last frame", total * 1000.0);
    text(legendLeft + 12.0f, y, row, WHITE, SMALL_FONT);
    for (int i = 0; i < scene.stepCount; i++) {
        y -= SMALL_LINE;
        colour(STEP_COLOURS[i % 16]);
        glRectf(legendLeft, y, legendLeft + 7.0f, y + 7.0f);
        std::snprintf(row, sizeof row, "%6.2f ms  %s", seconds[i] * 1000.0, scene.stepName(i));
        text(legendLeft + 12.0f, y, row, WHITE, SMALL_FONT);
    }
}
}  // namespace

void LearnerView::frameBegins() {
    if (!shown) return;
    for (int i = 0; i < LEARNER_MAX_STEPS; i++) {
        timed[i] = timing[i];
        timing[i] = 0.0;
    }
    mark = timer::wallSeconds();
}

void LearnerView::stepDone(int step) {
    if (!shown || step < 0 || step >= LEARNER_MAX_STEPS) return;
    const double now = timer::wallSeconds();
    timing[step] += now - mark;
    mark = now;
}

void LearnerView::draw(const LearnerScene& scene, int windowWidth, int windowHeight) const {
    if (!shown) return;
    const Projector to;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_TRANSFORM_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glLineWidth(1.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, windowWidth, 0.0, windowHeight, -1.0, 1.0);  // window pixels, y up as GL's
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    for (Character* figure : scene.figures) drawFigure(to, figure);
    if (scene.wanderer != nullptr) drawChoice(to, scene.figures[1], *scene.wanderer);
    for (int i = 0; i < scene.effectCount; i++) drawEffect(to, scene.effects[i], i);
    drawStepBar(scene, timed, windowWidth, windowHeight);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // also gives back the model-view as the current matrix
}
