// Draws the program's icon from the scene's own images, with no window: the day sky with the
// moon, the hills of the height map under the grass, the standing fire and a few sparks.
// make_icon IMAGE_DIR OUTPUT_DIR SIZE... writes OUTPUT_DIR/SIZE.png, SIZE by SIZE pixels, for each
// size up to 256.
#include "PngFile.h"
#include "TGALoader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const int SIDE = 256;  // drawn at the largest size, then scaled down

struct Colour {
    float r, g, b;
};

// An image read through the scene's own loader, sampled with u and v in [0, 1), wrapping.
struct Sprite {
    ImageInfo info{};
    ~Sprite() { std::free(info.imageData); }
    float channel(float u, float v, int c) const {
        const int w = (int)info.width, h = (int)info.height, n = (int)info.bpp / 8;
        const int x = ((int)std::floor(u * w) % w + w) % w, y = ((int)std::floor(v * h) % h + h) % h;
        if (c == 3 && n < 4) return 1.0f;
        return info.imageData[((size_t)y * w + x) * n + c] / 255.0f;
    }
    Colour at(float u, float v) const { return {channel(u, v, 0), channel(u, v, 1), channel(u, v, 2)}; }
};

bool load(Sprite& s, const std::string& dir, const char* name) {
    const std::string path = dir + "/" + name;
    if (TGA_Load(&s.info, path.c_str())) return true;
    std::fprintf(stderr, "make_icon: cannot read %s\n", path.c_str());
    return false;
}

// Adds a sprite's light centred at (cx, cy) with the given radius in pixels, as the scene's
// particles add theirs.
void addLight(std::vector<Colour>& px, const Sprite& s, float cx, float cy, float radius,
              Colour tint) {
    for (int y = (int)(cy - radius); y < (int)(cy + radius); y++)
        for (int x = (int)(cx - radius); x < (int)(cx + radius); x++) {
            if (x < 0 || y < 0 || x >= SIDE || y >= SIDE) continue;
            const float u = (x - cx + radius) / (2 * radius), v = (y - cy + radius) / (2 * radius);
            const float a = s.channel(u, v, 3);
            Colour& p = px[(size_t)y * SIDE + x];
            p.r += s.channel(u, v, 0) * tint.r * a;
            p.g += s.channel(u, v, 1) * tint.g * a;
            p.b += s.channel(u, v, 2) * tint.b * a;
        }
}

// The hills' outline: one row of the height map across the icon, blurred into soft slopes.
float horizonAt(const Sprite& heights, int x) {
    float sum = 0.0f;
    for (int dx = -16; dx <= 16; dx += 4) sum += heights.channel((x + dx) / (2.0f * SIDE), 0.5f, 0);
    return 125.0f - 50.0f * sum / 9.0f;
}

std::vector<Colour> drawScene(const Sprite& sky, const Sprite& heights, const Sprite& grass,
                              const Sprite& moon, const Sprite& fire, const Sprite& spark) {
    std::vector<Colour> px((size_t)SIDE * SIDE);
    for (int y = 0; y < SIDE; y++)
        for (int x = 0; x < SIDE; x++) {
            const float horizon = horizonAt(heights, x);
            Colour c = sky.at(x / (float)SIDE, y / (float)SIDE * 0.6f);
            if (y > horizon) {
                const float depth = (y - horizon) / (SIDE - horizon);  // 0 far, 1 near
                const Colour g = grass.at(x / (float)SIDE * (2.5f - depth), y / (float)SIDE * 2.0f);
                const float shade = 0.55f + 0.45f * depth;
                c = {g.r * shade, g.g * shade, g.b * shade};
            }
            const float mx = (x - 196.0f) / 34.0f, my = (y - 50.0f) / 34.0f;  // the moon's disc
            if (mx * mx + my * my < 1.0f) {
                const float a = moon.channel((mx + 1) / 2, (my + 1) / 2, 3);
                const Colour m = moon.at((mx + 1) / 2, (my + 1) / 2);
                c = {c.r + (m.r - c.r) * a, c.g + (m.g - c.g) * a, c.b + (m.b - c.b) * a};
            }
            px[(size_t)y * SIDE + x] = c;
        }
    // The fire: sprites that shrink and redden as they rise, as the flames' particles do.
    for (int i = 0; i < 6; i++)
        addLight(px, fire, 128.0f, 210.0f - 22.0f * i, 56.0f - 6.0f * i,
                 {1.0f, 0.75f - 0.07f * i, 0.35f - 0.05f * i});
    const float sparks[][2] = {{60, 40}, {84, 28}, {70, 64}, {100, 52}};
    for (const auto& s : sparks) addLight(px, spark, s[0], s[1], 14.0f, {1.0f, 0.9f, 0.6f});
    return px;
}

// Each output pixel is the mean of the drawn pixels it covers, in part or whole.
std::vector<unsigned char> scaledTo(const std::vector<Colour>& px, int side) {
    std::vector<unsigned char> out((size_t)side * side * 3);
    const float k = (float)SIDE / side;
    for (int oy = 0; oy < side; oy++)
        for (int ox = 0; ox < side; ox++) {
            float sum[3] = {0, 0, 0}, weight = 0;
            for (int y = (int)(oy * k); y < (int)std::ceil((oy + 1) * k); y++)
                for (int x = (int)(ox * k); x < (int)std::ceil((ox + 1) * k); x++) {
                    const float wx = std::fmin(x + 1, (ox + 1) * k) - std::fmax(x, ox * k);
                    const float wy = std::fmin(y + 1, (oy + 1) * k) - std::fmax(y, oy * k);
                    const Colour& c = px[(size_t)y * SIDE + x];
                    sum[0] += c.r * wx * wy;
                    sum[1] += c.g * wx * wy;
                    sum[2] += c.b * wx * wy;
                    weight += wx * wy;
                }
            for (int i = 0; i < 3; i++) {
                const float v = std::fmin(sum[i] / weight, 1.0f);
                out[((size_t)oy * side + ox) * 3 + i] = (unsigned char)std::lround(v * 255.0f);
            }
        }
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "Usage: make_icon IMAGE_DIR OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const std::string images = argv[1], out = argv[2];
    Sprite sky, heights, grass, moon, fire, spark;
    if (!load(sky, images, "clouds3.tga") || !load(heights, images, "ground3.tga") ||
        !load(grass, images, "ground4.tga") || !load(moon, images, "moon.tga") ||
        !load(fire, images, "fire3.tga") || !load(spark, images, "spark1.tga"))
        return 1;
    const std::vector<Colour> px = drawScene(sky, heights, grass, moon, fire, spark);
    for (int i = 3; i < argc; i++) {
        const int side = std::atoi(argv[i]);
        if (side < 1 || side > SIDE) {
            std::fprintf(stderr, "make_icon: size '%s' is not from 1 to %d\n", argv[i], SIDE);
            return 2;
        }
        const std::string path = out + "/" + std::to_string(side) + ".png";
        std::string error;
        if (!writePng(path, side, side, scaledTo(px, side).data(), error)) {
            std::fprintf(stderr, "make_icon: cannot write %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
    }
    return 0;
}
