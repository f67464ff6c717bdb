// The part of a sprite that can show: a convex polygon of at most eight corners, in texture
// coordinates, around every texel with alpha above 0 and as far as linear filtering carries it.
// Plain arithmetic on the pixel buffer, no GL.
#ifndef QORVEL_SPRITEOUTLINE_H
#define QORVEL_SPRITEOUTLINE_H

struct SpriteOutline {
    static const int MAX_CORNERS = 8;
    int corners;                     // 0 when no texel shows at all
    float st[MAX_CORNERS][2];        // counter-clockwise in (s, t)

    // The unit square itself: nothing to cut away.
    bool isFullSquare() const;
    // The smallest rectangle around the polygon, counter-clockwise from its lowest corner.
    SpriteOutline bounds() const;
};

// rgba: width * height pixels of four bytes (alpha last), row 0 at t = 0. With `repeats` the
// texture wraps, so near each border the texels of the opposite edge are filtered in too.
// A missing buffer or an empty size gives the full square.
SpriteOutline spriteOutline(const unsigned char* rgba, int width, int height, bool repeats);

#endif
