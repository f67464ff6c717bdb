// PNG decoding with libpng's simplified reader, converting whatever was written to 8-bit RGB.
#include "support/pictures.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace testpng {

Picture readPng(const std::string& path) {
    Picture picture;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        picture.rgb.clear();
        return picture;
    }
    picture.read = true;
    picture.width = (int)image.width;
    picture.height = (int)image.height;
    return picture;
}

namespace {
int channel(const Picture& p, int x, int y, int c) {
    return p.rgb[((size_t)y * p.width + x) * 3 + c];
}
}  // namespace

double changedShare(const Picture& a, const Picture& b, Region r) {
    long changed = 0;
    for (int y = r.y; y < r.y + r.height; y++)
        for (int x = r.x; x < r.x + r.width; x++) {
            int most = 0;
            for (int c = 0; c < 3; c++)
                most = std::max(most, std::abs(channel(a, x, y, c) - channel(b, x, y, c)));
            changed += most > 24;
        }
    return (double)changed / ((long)r.width * r.height);
}

int horizontalShift(const Picture& a, const Picture& b, Region r, int maxShift) {
    int best = 0;
    double bestCost = 1e30;
    for (int dx = -maxShift; dx <= maxShift; dx++) {
        long sum = 0, n = 0;
        for (int y = r.y; y < r.y + r.height; y += 4)
            for (int x = r.x; x < r.x + r.width; x += 2) {
                if (x + dx < 0 || x + dx >= b.width) continue;
                sum += std::abs(channel(a, x, y, 1) - channel(b, x + dx, y, 1));
                n++;
            }
        // Too little overlap says nothing.
        if (n * 4 < (long)r.width * r.height / 8) continue;
        const double cost = (double)sum / n;
        if (cost < bestCost) {
            bestCost = cost;
            best = dx;
        }
    }
    return best;
}

}  // namespace testpng
