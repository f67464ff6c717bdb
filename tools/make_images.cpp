// Generates the scene's seven TGA images (terrain, ground surface, skies, moon, sprites)
// deterministically from fixed seeds: make_images [output_dir], default "tga".
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// ---- small maths ------------------------------------------------------------------------

float clamp01(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }
float mix(float a, float b, float t) { return a + (b - a) * t; }
float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
int wrap(int i, int n) { return ((i % n) + n) % n; }

struct Rgb {
    float r, g, b;
};
Rgb mix(Rgb a, Rgb b, float t) { return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)}; }
Rgb scaled(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }

// Integer hash: the only source of randomness, so every run writes the same bytes.
uint32_t hash3(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}
float unit(uint32_t h) { return (h >> 8) * (1.0f / 16777216.0f); }

// Sequential generator for scattering features (craters, stars).
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed) {}
    float next() {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return (uint32_t)(s >> 40) * (1.0f / 16777216.0f);
    }
};

// Value noise on a lattice that repeats every `period` cells, so images built from it tile.
float valueNoise(float x, float y, int period, uint32_t seed) {
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    float sx = fx * fx * fx * (fx * (fx * 6 - 15) + 10);
    float sy = fy * fy * fy * (fy * (fy * 6 - 15) + 10);
    auto at = [&](int i, int j) {
        return unit(hash3(wrap(i, period), wrap(j, period), seed));
    };
    float a = mix(at(x0, y0), at(x0 + 1, y0), sx);
    float b = mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), sx);
    return mix(a, b, sy);
}

// Fractal sum over octaves; u, v in [0, 1) span one tile. Result roughly in [0, 1].
float fbm(float u, float v, int basePeriod, int octaves, float persistence, uint32_t seed) {
    float sum = 0, amp = 1, total = 0;
    int period = basePeriod;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(u * period, v * period, period, seed + 101u * o);
        total += amp;
        amp *= persistence;
        period *= 2;
    }
    return sum / total;
}

// ---- images -----------------------------------------------------------------------------

struct Image {
    int w, h, channels;
    std::vector<uint8_t> px;  // RGB(A), row 0 first
    Image(int w_, int h_, int c) : w(w_), h(h_), channels(c), px((size_t)w_ * h_ * c, 0) {}
    void set(int x, int y, Rgb c, float a = 1.0f) {
        uint8_t* p = &px[((size_t)y * w + x) * channels];
        p[0] = (uint8_t)std::lround(clamp01(c.r / 255.0f) * 255.0f);
        p[1] = (uint8_t)std::lround(clamp01(c.g / 255.0f) * 255.0f);
        p[2] = (uint8_t)std::lround(clamp01(c.b / 255.0f) * 255.0f);
        if (channels == 4) p[3] = (uint8_t)std::lround(clamp01(a) * 255.0f);
    }
};

// Uncompressed true-colour TGA, pixels stored B, G, R (, A), rows in image order.
bool writeTga(const std::string& path, const Image& img) {
    uint8_t head[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        (uint8_t)(img.w & 255), (uint8_t)(img.w >> 8),
                        (uint8_t)(img.h & 255), (uint8_t)(img.h >> 8),
                        (uint8_t)(img.channels * 8), (uint8_t)(img.channels == 4 ? 8 : 0)};
    std::vector<uint8_t> body(img.px);
    for (size_t i = 0; i < body.size(); i += img.channels) std::swap(body[i], body[i + 2]);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(head, 1, 18, f) == 18 && fwrite(body.data(), 1, body.size(), f) == body.size();
    return (fclose(f) == 0) && ok;
}

// Height map: rolling hills around a low, nearly level basin at the world origin. Heights are
// the blue byte; the terrain turns a byte into byte * 15 / 256 world units.
Image heightMap() {
    const int n = 256;
    Image img(n, n, 3);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            float x = c - 128.0f, z = 128.0f - r;  // world position of this vertex
            float u = c / (float)n, v = r / (float)n;
            float hills = fbm(u, v, 4, 5, 0.5f, 11);
            float ridges = fbm(u, v, 2, 3, 0.5f, 29);
            float height = 1.5f + 10.5f * std::pow(clamp01((hills - 0.25f) * 1.8f), 1.4f) +
                           2.0f * ridges;
            float floorH = 0.15f + 0.45f * fbm(u, v, 16, 3, 0.5f, 47);
            float d = std::sqrt(x * x + z * z);
            float wobble = 6.0f * (fbm(u, v, 8, 2, 0.5f, 53) - 0.5f);
            float m = smoothstep(14.0f, 42.0f, d + wobble);
            float world = mix(floorH, height, m);
            float byte = std::min(255.0f, std::max(0.0f, std::round(world * 256.0f / 15.0f)));
            img.set(c, r, {byte, byte, byte});
        }
    }
    return img;
}

// Ground surface, tiling: grass of mixed shades with worn earth patches and small stones.
Image groundSurface() {
    const int n = 256;
    Image img(n, n, 3);
    const Rgb darkGrass{46, 82, 30}, lightGrass{104, 142, 52}, dryGrass{136, 136, 70};
    const Rgb earth{122, 100, 72}, darkEarth{86, 70, 50};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float u = x / (float)n, v = y / (float)n;
            float shade = fbm(u, v, 8, 4, 0.55f, 101);
            float dry = smoothstep(0.55f, 0.75f, fbm(u, v, 4, 3, 0.5f, 131));
            float blade = unit(hash3(x, y, 7));
            float streak = unit(hash3(x, wrap(y / 3, n), 9));  // short vertical blade strokes
            Rgb grass = mix(darkGrass, lightGrass, clamp01(shade * 1.3f - 0.15f));
            grass = mix(grass, dryGrass, dry * 0.6f);
            grass = scaled(grass, 0.78f + 0.22f * blade * 0.5f + 0.22f * streak * 0.5f);
            float patch = 0.85f * smoothstep(0.60f, 0.70f, fbm(u, v, 4, 5, 0.5f, 151));
            Rgb soil = mix(darkEarth, earth, fbm(u, v, 32, 2, 0.5f, 171));
            soil = scaled(soil, 0.85f + 0.3f * blade);
            Rgb col = mix(grass, soil, patch);
            if (unit(hash3(x, y, 191)) < 0.004f) col = mix(col, Rgb{150, 146, 136}, 0.7f);
            img.set(x, y, col);
        }
    }
    return img;
}

// Day sky, tiling: soft white cumulus over blue.
Image daySky() {
    const int n = 256;
    Image img(n, n, 3);
    const Rgb blue{72, 124, 206}, paleBlue{120, 166, 228};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float u = x / (float)n, v = y / (float)n;
            float base = fbm(u, v, 2, 2, 0.5f, 211);
            float cloud = fbm(u, v, 4, 6, 0.55f, 223);
            float cover = smoothstep(0.42f, 0.72f, cloud + 0.15f * (base - 0.5f));
            float detail = fbm(u, v, 16, 3, 0.5f, 239);
            Rgb sky = mix(blue, paleBlue, base);
            Rgb white = scaled(Rgb{250, 250, 255}, 0.80f + 0.2f * detail);
            Rgb shadow = Rgb{176, 184, 204};
            Rgb cl = mix(white, shadow, smoothstep(0.75f, 1.0f, cover) * (1.0f - detail) * 0.6f);
            img.set(x, y, mix(sky, cl, cover));
        }
    }
    return img;
}

// Night sky, tiling: deep blue with faint haze and scattered stars of a few sizes.
Image nightSky() {
    const int n = 256;
    Image img(n, n, 3);
    std::vector<Rgb> col((size_t)n * n);
    const Rgb deep{6, 9, 24}, haze{34, 40, 72};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float u = x / (float)n, v = y / (float)n;
            float base = fbm(u, v, 2, 3, 0.5f, 307);
            float wisp = smoothstep(0.5f, 0.85f, fbm(u, v, 4, 6, 0.55f, 311));
            col[(size_t)y * n + x] = mix(scaled(deep, 0.8f + 0.4f * base), haze, wisp * 0.55f);
        }
    }
    // Stars are splatted with wrap-around so the tile edges stay seamless.
    Rng rng(2026);
    for (int s = 0; s < 420; ++s) {
        float sx = rng.next() * n, sy = rng.next() * n;
        float bright = std::pow(rng.next(), 3.0f);
        float radius = 0.45f + 1.1f * bright;
        float warm = rng.next();
        Rgb tint = warm < 0.2f ? Rgb{255, 226, 190} : (warm > 0.85f ? Rgb{196, 214, 255}
                                                                      : Rgb{250, 250, 255});
        float peak = 0.35f + 0.65f * std::sqrt(bright);
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                int px = (int)std::floor(sx) + dx, py = (int)std::floor(sy) + dy;
                float ddx = px + 0.5f - sx, ddy = py + 0.5f - sy;
                float k = peak * std::exp(-(ddx * ddx + ddy * ddy) / (radius * radius));
                if (k < 0.01f) continue;
                Rgb& c = col[(size_t)wrap(py, n) * n + wrap(px, n)];
                c = mix(c, tint, clamp01(k));
            }
        }
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) img.set(x, y, col[(size_t)y * n + x]);
    return img;
}

// Moon: shaded grey disc with maria and craters, a faint halo, transparent beyond.
Image moon() {
    const int n = 128;
    Image img(n, n, 4);
    const float cx = 63.5f, cy = 63.5f, radius = 52.0f;
    struct Crater {
        float x, y, r;
    };
    std::vector<Crater> craters;
    Rng rng(77);
    for (int i = 0; i < 16; ++i) {
        float a = rng.next() * 6.2831853f, d = std::sqrt(rng.next()) * 0.85f;
        float r = 0.025f + 0.09f * std::pow(rng.next(), 2.5f);
        craters.push_back({std::cos(a) * d, std::sin(a) * d, r});
    }
    const Rgb highland{226, 224, 214}, mare{136, 138, 148}, glow{200, 208, 230};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float px = (x - cx) / radius, py = (y - cy) / radius;  // pixel centres
            float d = std::sqrt(px * px + py * py);
            float u = x / (float)n, v = y / (float)n;
            float maria = smoothstep(0.45f, 0.65f, fbm(u, v, 3, 4, 0.5f, 401));
            Rgb c = mix(highland, mare, maria * 0.8f);
            c = scaled(c, 0.9f + 0.15f * fbm(u, v, 16, 3, 0.5f, 409));
            for (const Crater& k : craters) {
                float e = std::sqrt((px - k.x) * (px - k.x) + (py - k.y) * (py - k.y)) / k.r;
                // Lit from the upper left: the floor darkens away from the light, the rim
                // catches it on the far side.
                float side = ((px - k.x) - (py - k.y)) / (k.r * 1.4142f);
                if (e < 0.9f) c = scaled(c, 0.9f + 0.06f * side);
                else if (e < 1.2f) c = scaled(c, 1.0f + 0.07f * side * (1.0f - std::fabs(e - 1.05f) / 0.15f));
            }
            float limb = d < 1.0f ? 0.62f + 0.38f * std::sqrt(1.0f - d * d) : 0.62f;
            c = scaled(c, limb);
            // Antialiased rim over about one pixel, then a faint halo that is gone well
            // before the image border.
            float disc = clamp01((1.0f - d) * radius + 0.5f);
            float halo = 0.22f * std::pow(clamp01(1.0f - (d - 1.0f) / 0.18f), 2.0f);
            float alpha = std::max(disc, d > 1.0f ? halo : 0.0f);
            Rgb out = disc > 0.0f ? mix(glow, c, disc) : glow;
            img.set(x, y, out, alpha);
        }
    }
    return img;
}

// Fire sprite: a hot white-yellow core fading through orange to a transparent rim, with a
// ragged edge so overlapping particles do not look like discs.
Image fireSprite() {
    const int n = 64;
    Image img(n, n, 4);
    const Rgb core{255, 248, 220}, flame{255, 190, 70}, ember{240, 96, 24};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float px = (x + 0.5f - n / 2.0f) / 27.0f, py = (y + 0.5f - n / 2.0f) / 27.0f;
            float d = std::sqrt(px * px + py * py);
            float angle = std::atan2(py, px) / 6.2831853f + 0.5f;
            float rag = fbm(angle, d * 0.5f, 8, 3, 0.5f, 503);
            float e = d * (0.85f + 0.3f * rag);
            float alpha = std::pow(clamp01(1.0f - e), 1.1f);
            Rgb c = e < 0.35f ? mix(core, flame, e / 0.35f) : mix(flame, ember, clamp01((e - 0.35f) / 0.6f));
            if (x == 0 || y == 0 || x == n - 1 || y == n - 1) alpha = 0.0f;
            img.set(x, y, c, alpha);
        }
    }
    return img;
}

// Fireworks spark: a bright point with a soft glow and four thin rays.
Image sparkSprite() {
    const int n = 32;
    Image img(n, n, 4);
    const Rgb white{255, 255, 250}, gold{255, 222, 150};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float px = (x + 0.5f - n / 2.0f) / (n / 2.0f), py = (y + 0.5f - n / 2.0f) / (n / 2.0f);
            float d = std::sqrt(px * px + py * py);
            float core = std::exp(-d * d / 0.02f);
            float glow = 0.55f * std::exp(-d * d / 0.12f);
            float rays = 0.7f * (std::exp(-px * px / 0.0015f) + std::exp(-py * py / 0.0015f)) *
                         std::pow(clamp01(1.0f - d), 2.0f);
            float window = 1.0f - smoothstep(0.75f, 0.97f, d);
            float alpha = clamp01(core + glow + rays) * window;
            img.set(x, y, mix(gold, white, clamp01(core + rays)), alpha);
        }
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = argc > 1 ? argv[1] : "tga";
    struct Out {
        const char* name;
        Image (*make)();
    };
    const Out outs[] = {
        {"ground3.tga", heightMap}, {"ground4.tga", groundSurface}, {"clouds3.tga", daySky},
        {"clouds2.tga", nightSky},  {"moon.tga", moon},             {"fire3.tga", fireSprite},
        {"spark1.tga", sparkSprite},
    };
    for (const Out& o : outs) {
        std::string path = dir + "/" + o.name;
        if (!writeTga(path, o.make())) {
            fprintf(stderr, "make_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
