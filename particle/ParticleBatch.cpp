// The particle batch drawer: reads the blending and texturing state, regroups primitives where
// order cannot show and cuts sprite squares where transparent texels change nothing.
#include "ParticleBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// One primitive of a live particle, in the order its own draw would issue it.
struct Piece {
    enum Kind { SQUARE, STREAK, DOT } kind;
    float width;        // line width or point size; zero for squares
    Particle* particle;
    bool normalSet;     // an earlier particle has set the current normal to (0, 0, 1)
};

bool sameBatch(const Piece& a, const Piece& b) { return a.kind == b.kind && a.width == b.width; }

// A blend factor that is one whatever the framebuffer holds; destination alpha reads as one
// when the framebuffer stores none.
bool isOne(GLint factor, bool noAlpha) {
    return factor == GL_ONE || (noAlpha && factor == GL_DST_ALPHA);
}

// A source factor that does not read the framebuffer.
bool ignoresDestination(GLint factor, bool noAlpha) {
    switch (factor) {
    case GL_DST_COLOR:
    case GL_ONE_MINUS_DST_COLOR:
        return false;
    case GL_DST_ALPHA:
    case GL_ONE_MINUS_DST_ALPHA:
    case GL_SRC_ALPHA_SATURATE:
        return noAlpha;
    default:
        return true;
    }
}

// The blending that decides how a fragment meets the pixel under it; `usable` is false when a
// logic op or the stencil test also has a say.
struct Blending {
    bool usable;
    bool noAlpha;  // the framebuffer keeps no alpha
    GLint eqRGB, eqAlpha, srcRGB, dstRGB, srcAlpha, dstAlpha;
};

Blending readBlending() {
    Blending b = {glIsEnabled(GL_BLEND) && !glIsEnabled(GL_COLOR_LOGIC_OP) &&
                      !glIsEnabled(GL_STENCIL_TEST),
                  false, 0, 0, 0, 0, 0, 0};
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    b.noAlpha = alphaBits == 0;
    glGetIntegerv(GL_BLEND_EQUATION_RGB, &b.eqRGB);
    glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &b.eqAlpha);
    glGetIntegerv(GL_BLEND_SRC_RGB, &b.srcRGB);
    glGetIntegerv(GL_BLEND_DST_RGB, &b.dstRGB);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &b.srcAlpha);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &b.dstAlpha);
    return b;
}

// True when the pixels come out the same in any drawing order: each fragment only adds a
// term of its own to what is there (as the scene's blend does on a framebuffer without
// alpha). Depth writes are off for particles, so the depth test does not depend on order.
bool orderFreeBlending() {
    const Blending b = readBlending();
    if (!b.usable) return false;
    bool rgb = b.eqRGB == GL_FUNC_ADD && isOne(b.dstRGB, b.noAlpha) &&
               ignoresDestination(b.srcRGB, b.noAlpha);
    bool alpha = b.noAlpha || (b.eqAlpha == GL_FUNC_ADD && isOne(b.dstAlpha, false) &&
                               ignoresDestination(b.srcAlpha, false));
    return rgb && alpha;
}

// True when a sprite fragment of alpha 0 leaves the pixel as it was, so squares cut down to
// the sprite's outline show the same: blending adds nothing at alpha 0, the bound texture's
// alpha reaches the fragment unchanged in its coordinates, and nothing else is written.
bool transparentTexelsLeavePixels() {
    const Blending b = readBlending();
    if (!b.usable || glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T)) return false;
    GLint env = 0, minFilter = 0;
    GLfloat textureMatrix[16];
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    // A mipmap level would spread each texel further than the outline allows for.
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetFloatv(GL_TEXTURE_MATRIX, textureMatrix);
    for (int i = 0; i < 16; i++)
        if (textureMatrix[i] != (i % 5 == 0 ? 1.0f : 0.0f)) return false;
    auto zeroAtZero = [](GLint f) { return f == GL_SRC_ALPHA || f == GL_ZERO; };
    auto oneAtZero = [&b](GLint f) {
        return f == GL_ONE || f == GL_ONE_MINUS_SRC_ALPHA || (b.noAlpha && f == GL_DST_ALPHA);
    };
    bool rgb = b.eqRGB == GL_FUNC_ADD && zeroAtZero(b.srcRGB) && oneAtZero(b.dstRGB);
    bool alpha = b.noAlpha || (b.eqAlpha == GL_FUNC_ADD && zeroAtZero(b.srcAlpha) &&
                               oneAtZero(b.dstAlpha));
    return (env == GL_MODULATE || env == GL_REPLACE) &&
           (minFilter == GL_LINEAR || minFilter == GL_NEAREST) && rgb && alpha;
}

// Switches a capability only when it differs from what the batches last set; -1 is unknown.
void setCapability(GLenum cap, bool on, int& known) {
    if (known == (int)on) return;
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
    known = on;
}

// Corner offsets (units of size) and texture coordinates of a square's two triangles: the
// strip's (v0, v1, v2) and (v2, v1, v3), and the polygon split from its first corner.
const float STRIP_CORNERS[6][4] = {{0.5f, 0.5f, 1, 1},  {-0.5f, 0.5f, 0, 1}, {0.5f, -0.5f, 1, 0},
                                   {0.5f, -0.5f, 1, 0}, {-0.5f, 0.5f, 0, 1}, {-0.5f, -0.5f, 0, 0}};
const float POLYGON_CORNERS[6][4] = {{-0.5f, -0.5f, 0, 0}, {0.5f, -0.5f, 1, 0},
                                     {0.5f, 0.5f, 1, 1},   {-0.5f, -0.5f, 0, 0},
                                     {0.5f, 0.5f, 1, 1},   {-0.5f, 0.5f, 0, 1}};

// Where the sprite's transparent part is cut away. Each cut triangle costs the software
// rasteriser a pass over its area and edges, so the eight-sided outline (six triangles) only
// pays on squares wider than OCTAGON_MIN_PIXELS on screen; smaller ones take its bounding
// rectangle (two triangles).
struct Cut {
    static constexpr float OCTAGON_MIN_PIXELS = 128.0f;
    const SpriteOutline* octagon;
    SpriteOutline rectangle;
    float projection[16];
    float halfViewportWidth;

    const SpriteOutline* forSquare(const float eye[4], float size) const {
        const float* p = projection;
        float w = p[3] * eye[0] + p[7] * eye[1] + p[11] * eye[2] + p[15] * eye[3];
        float pixels = std::fabs(size * p[0] * halfViewportWidth);
        return pixels > OCTAGON_MIN_PIXELS * std::fabs(w) ? octagon : &rectangle;
    }
};

// Camera-facing squares in eye space, under an identity model-view: each corner is the
// particle's eye-space centre plus the scaled offset, as the per-particle billboard places
// it (its matrix keeps the bottom row of m, hence the w term). With a cut each square is drawn
// as the chosen polygon, a fan from its first corner, at the square's own texture coordinates.
void drawSquares(const Piece* pieces, size_t count, const float m[16], bool unitNormals,
                 const Cut* cut) {
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_TRIANGLES);
    const float (*corners)[4] = STRIP_CORNERS;
    for (size_t i = 0; i < count; i++) {
        Particle* p = pieces[i].particle;
        QORColor c = p->getColor();
        QOR3dVector at = p->getPosition();
        float s = p->getSize();
        float eye[4];
        for (int k = 0; k < 4; k++)
            eye[k] = m[k] * at.x + m[4 + k] * at.y + m[8 + k] * at.z + m[12 + k];
        // The billboard scales by size, which turns the normal into (0, 0, 1/size) unless GL
        // rescales it; a zero size gives an empty square whose normal does not matter.
        float nz = s == 0.0f ? 1.0f : unitNormals ? (s > 0.0f ? 1.0f : -1.0f) : 1.0f / s;
        glColor4f(c.r, c.g, c.b, c.alpha);
        glNormal3f(0.0f, 0.0f, nz);
        bool polygon = p->getType() == Particle::PARTICLE_POLYGON ||
                       p->getType() == Particle::PARTICLE_POLYGON_AND_LINE;
        corners = polygon ? POLYGON_CORNERS : STRIP_CORNERS;
        auto corner = [&](float u, float v) {
            float dx = s * (u - 0.5f), dy = s * (v - 0.5f);
            glTexCoord2f(u, v);
            glVertex4f(eye[0] + dx, eye[1] + dy, eye[2], eye[3] + m[3] * dx + m[7] * dy);
        };
        const SpriteOutline* outline = cut ? cut->forSquare(eye, s) : nullptr;
        if (outline == nullptr || outline->isFullSquare()) {
            for (int v = 0; v < 6; v++) corner(corners[v][2], corners[v][3]);
            continue;
        }
        for (int v = 1; v + 1 < outline->corners; v++) {
            corner(outline->st[0][0], outline->st[0][1]);
            corner(outline->st[v][0], outline->st[v][1]);
            corner(outline->st[v + 1][0], outline->st[v + 1][1]);
        }
    }
    glEnd();
    // The texture coordinates the whole squares would have left.
    glTexCoord2f(corners[5][2], corners[5][3]);
    glPopMatrix();
}

// Streaks of one width, under the caller's model-view: from the particle to its trailing end.
void drawStreaks(const Piece* pieces, size_t count) {
    glLineWidth(pieces[0].width);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_LINES);
    for (size_t i = 0; i < count; i++) {
        Particle* p = pieces[i].particle;
        QORColor c = p->getColor();
        QOR3dVector at = p->getPosition();
        QOR3dVector end = p->streakEnd();
        glColor4f(c.r, c.g, c.b, c.alpha);
        glVertex3f(at.x, at.y, at.z);
        glColor4f(c.r, c.g, c.b, 0.0f);
        glVertex3f(at.x + end.x, at.y + end.y, at.z + end.z);
    }
    glEnd();
}

// Dots of one size, under the caller's model-view. A dot sets no normal of its own: it takes
// the caller's until an earlier particle has set (0, 0, 1).
void drawDots(const Piece* pieces, size_t count, const float callerNormal[3]) {
    glPointSize(pieces[0].width);
    int normal = -1;  // 0: the caller's, 1: (0, 0, 1)
    glBegin(GL_POINTS);
    for (size_t i = 0; i < count; i++) {
        Particle* p = pieces[i].particle;
        if (normal != (int)pieces[i].normalSet) {
            normal = pieces[i].normalSet;
            if (normal)
                glNormal3f(0.0f, 0.0f, 1.0f);
            else
                glNormal3fv(callerNormal);
        }
        QORColor c = p->getColor();
        QOR3dVector at = p->getPosition();
        glColor4f(c.r, c.g, c.b, c.alpha);
        glVertex3f(at.x, at.y, at.z);
    }
    glEnd();
}
}  // namespace

// One read of the model-view, and a state change only where a batch needs it.
void drawParticleBatch(Particle* const* particles, int count, const SpriteOutline& outline) {
    GLint matrixMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    if (matrixMode != GL_MODELVIEW) {
        // The billboards read the model-view but load into the current stack: only the
        // particles' own draws reproduce that.
        for (int i = 0; i < count; i++) particles[i]->draw();
        return;
    }

    // What the particles would leave behind, followed in their order: texturing (-1
    // untouched), smoothing, point size, line width, colour and normal.
    static std::vector<Piece> pieces;  // reused from frame to frame; GL runs on one thread
    pieces.clear();
    // Room for the worst case at once, so a frame with more live particles allocates nothing.
    // A count below zero (a subclass that does not clamp) means no particles.
    pieces.reserve(2 * (size_t)std::max(count, 0));
    Particle* last = nullptr;
    int texturing = -1;
    bool pointSmoothUsed = false, lineSmoothUsed = false, normalSet = false;
    float pointSize = 0.0f, lineWidth = 0.0f;
    QORColor colour = defaultColor;
    for (int i = 0; i < count; i++) {
        Particle* p = particles[i];
        if (!p->isAlive()) continue;
        last = p;
        colour = p->getColor();
        float size = p->getSize();
        Particle::particleType type = p->getType();
        bool square = type == Particle::PARTICLE_POLYGON ||
                      type == Particle::PARTICLE_TRIANGLE_STRIP ||
                      type == Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE ||
                      type == Particle::PARTICLE_POLYGON_AND_LINE;
        bool streak = type == Particle::PARTICLE_LINE ||
                      type == Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE ||
                      type == Particle::PARTICLE_POLYGON_AND_LINE;
        if (square) {
            pieces.push_back({Piece::SQUARE, 0.0f, p, normalSet});
            normalSet = true;
            texturing = 0;
        }
        if (streak) {
            lineSmoothUsed = true;
            texturing = 1;
            if (size > 0.0f) {  // an empty streak touches neither width nor colour
                pieces.push_back({Piece::STREAK, size, p, normalSet});
                normalSet = true;
                lineWidth = size;
                colour.alpha = 0.0f;
            }
        }
        if (type == Particle::PARTICLE_POINT) {
            pointSmoothUsed = true;
            texturing = 1;
            if (size > 0.0f) {
                pieces.push_back({Piece::DOT, size, p, normalSet});
                pointSize = size;
            }
        }
    }
    if (last == nullptr) return;  // dead particles change no state at all

    // Grouping by kind and width reorders the primitives; only allowed when order cannot
    // show. The stable sort keeps particle order within each batch.
    if (orderFreeBlending())
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            return a.kind != b.kind ? a.kind < b.kind : a.width < b.width;
        });

    float m[16] = {0};
    float callerNormal[3] = {0.0f, 0.0f, 1.0f};
    bool unitNormals = glIsEnabled(GL_NORMALIZE) || glIsEnabled(GL_RESCALE_NORMAL);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_CURRENT_NORMAL, callerNormal);

    Cut cut = {&outline, outline.bounds(), {0}, 0.0f};
    bool cutting = !outline.isFullSquare() && transparentTexelsLeavePixels();
    if (cutting) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetFloatv(GL_PROJECTION_MATRIX, cut.projection);
        cut.halfViewportWidth = 0.5f * viewport[2];
    }

    int textureOn = -1, lineSmoothOn = -1, pointSmoothOn = -1;
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    for (size_t i = 0; i < pieces.size();) {
        size_t end = i + 1;
        while (end < pieces.size() && sameBatch(pieces[end], pieces[i])) end++;
        switch (pieces[i].kind) {
        case Piece::SQUARE:
            setCapability(GL_TEXTURE_2D, true, textureOn);
            drawSquares(&pieces[i], end - i, m, unitNormals, cutting ? &cut : nullptr);
            break;
        case Piece::STREAK:
            setCapability(GL_TEXTURE_2D, false, textureOn);
            setCapability(GL_LINE_SMOOTH, true, lineSmoothOn);
            drawStreaks(&pieces[i], end - i);
            break;
        case Piece::DOT:
            setCapability(GL_TEXTURE_2D, false, textureOn);
            setCapability(GL_POINT_SMOOTH, true, pointSmoothOn);
            drawDots(&pieces[i], end - i, callerNormal);
            break;
        }
        i = end;
    }
    // Leaves the state the last particle's own draw leaves (see Particle::draw).
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    if (texturing >= 0) setCapability(GL_TEXTURE_2D, texturing == 1, textureOn);
    if (lineSmoothUsed) setCapability(GL_LINE_SMOOTH, false, lineSmoothOn);
    if (pointSmoothUsed) setCapability(GL_POINT_SMOOTH, false, pointSmoothOn);
    if (lineWidth > 0.0f) glLineWidth(lineWidth);
    if (pointSize > 0.0f) glPointSize(pointSize);
    if (normalSet) glNormal3f(0.0f, 0.0f, 1.0f);
    glColor4f(colour.r, colour.g, colour.b, colour.alpha);
}
