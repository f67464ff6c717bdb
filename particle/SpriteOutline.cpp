// Sprite outline: an eight-sided bound (extremes along the axes and both diagonals) of the
// region where linear filtering can return an alpha above 0.
#include "SpriteOutline.h"

#include <algorithm>

bool SpriteOutline::isFullSquare() const {
    if (corners != 4) return false;
    for (int i = 0; i < 4; i++)
        for (int k = 0; k < 2; k++)
            if (st[i][k] != 0.0f && st[i][k] != 1.0f) return false;
    return true;
}

SpriteOutline SpriteOutline::bounds() const {
    if (corners == 0) return *this;
    float lo[2] = {st[0][0], st[0][1]}, hi[2] = {st[0][0], st[0][1]};
    for (int v = 1; v < corners; v++)
        for (int k = 0; k < 2; k++) {
            lo[k] = std::min(lo[k], st[v][k]);
            hi[k] = std::max(hi[k], st[v][k]);
        }
    return {4, {{lo[0], lo[1]}, {hi[0], lo[1]}, {hi[0], hi[1]}, {lo[0], hi[1]}}};
}

SpriteOutline spriteOutline(const unsigned char* rgba, int width, int height, bool repeats) {
    SpriteOutline out = {4, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    if (rgba == nullptr || width <= 0 || height <= 0) return out;
    // In texel units texel i spans [i, i + 1]. Linear filtering blends it into every sample
    // short of its neighbours' far centres, (i - 0.5, i + 1.5); a quarter texel more absorbs
    // rounding of the rasteriser's coordinates.
    const double BEFORE = 0.75, AFTER = 1.75;
    // Extremes of x, y, x + y and x - y over the corners of every texel's reach: {min, max}.
    double ext[4][2] = {{1e30, -1e30}, {1e30, -1e30}, {1e30, -1e30}, {1e30, -1e30}};
    const int copies = repeats ? 1 : 0;  // a wrapping texture also reaches in from beyond
    for (int j = 0; j < height; j++) {
        for (int i = 0; i < width; i++) {
            if (rgba[((size_t)j * width + i) * 4 + 3] == 0) continue;
            for (int dy = -copies; dy <= copies; dy++) {
                for (int dx = -copies; dx <= copies; dx++) {
                    double x0 = std::max(0.0, i + dx * width - BEFORE);
                    double x1 = std::min((double)width, i + dx * width + AFTER);
                    double y0 = std::max(0.0, j + dy * height - BEFORE);
                    double y1 = std::min((double)height, j + dy * height + AFTER);
                    if (x0 >= x1 || y0 >= y1) continue;  // does not reach into the square
                    const double lowHigh[4][2] = {
                        {x0, x1}, {y0, y1}, {x0 + y0, x1 + y1}, {x0 - y1, x1 - y0}};
                    for (int k = 0; k < 4; k++) {
                        ext[k][0] = std::min(ext[k][0], lowHigh[k][0]);
                        ext[k][1] = std::max(ext[k][1], lowHigh[k][1]);
                    }
                }
            }
        }
    }
    if (ext[0][0] > ext[0][1]) {
        out.corners = 0;
        return out;
    }
    const double x0 = ext[0][0], x1 = ext[0][1], y0 = ext[1][0], y1 = ext[1][1];
    const double s0 = ext[2][0], s1 = ext[2][1], d0 = ext[3][0], d1 = ext[3][1];
    // Each diagonal cuts one corner of the bounding box, and the cuts never cross (the point
    // at x = x0 has x + y >= s0 and x - y >= d0, so 2 x0 >= s0 + d0; likewise on every side):
    // going round, two points per side of the box.
    const double ring[8][2] = {{s0 - y0, y0}, {d1 + y0, y0}, {x1, x1 - d1}, {x1, s1 - x1},
                               {s1 - y1, y1}, {d0 + y1, y1}, {x0, x0 - d0}, {x0, s0 - x0}};
    out.corners = 0;
    for (int v = 0; v < 8; v++) {
        float s = (float)(ring[v][0] / width), t = (float)(ring[v][1] / height);
        bool repeat = out.corners > 0 && s == out.st[out.corners - 1][0] &&
                      t == out.st[out.corners - 1][1];
        bool closes = v == 7 && s == out.st[0][0] && t == out.st[0][1];
        if (repeat || closes) continue;  // an uncut corner of the box appears twice
        out.st[out.corners][0] = s;
        out.st[out.corners][1] = t;
        out.corners++;
    }
    return out;
}
