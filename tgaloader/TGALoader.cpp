// TGA reader: accepts only the plain uncompressed true-colour header, swaps BGR(A) to RGB(A).
#include "TGALoader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cinttypes>
#include <string>

static const GLubyte kPlainHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Bytes from the current position to the end of the file, or -1 when it cannot be told.
static long bytesLeft(FILE* f) {
    long here = ftell(f);
    if (here < 0 || fseek(f, 0, SEEK_END) != 0) return -1;
    long end = ftell(f);
    if (end < 0 || fseek(f, here, SEEK_SET) != 0) return -1;
    return end - here;
}

static bool fail(ImageInfo* imginfo, FILE* f, std::string& why, const std::string& reason) {
    why = reason;
    imginfo->imageData = nullptr;
    if (f) fclose(f);
    return false;
}

// Where the file ran out, for a read that came up short: its length in bytes.
static std::string cutShort(FILE* f) {
    if (ferror(f)) return strerror(errno);
    return "cut short at byte " + std::to_string(ftell(f));
}

// Why a 12-byte header is not the one plain form accepted, in the user's terms.
static std::string headerProblem(const GLubyte* head) {
    if (head[2] >= 9 && head[2] <= 11) return "run-length compressed";
    if (head[1] != 0 || head[2] == 1) return "colour-mapped, not true colour";
    if (head[2] == 3) return "greyscale, not true colour";
    if (head[2] != 2) return "not a TGA image (image type " + std::to_string(head[2]) + ")";
    if (head[0] != 0) return "carries an image ID field";
    return "has a colour map or an origin other than 0, 0";
}

bool TGA_Load(ImageInfo* imginfo, const char* filename) {
    std::string why;
    return TGA_Load(imginfo, filename, why);
}

bool TGA_Load(ImageInfo* imginfo, const char* filename, std::string& why) {
    printf("Attepting to open file: %s\n", filename);
    imginfo->imageData = nullptr;  // so no failure path leaves a stale pointer behind

    FILE* f = fopen(filename, "rb");
    if (!f) return fail(imginfo, nullptr, why, strerror(errno));

    GLubyte head[12];
    if (fread(head, 1, 12, f) != 12) return fail(imginfo, f, why, cutShort(f));
    if (memcmp(head, kPlainHeader, 12) != 0) return fail(imginfo, f, why, headerProblem(head));

    GLubyte info[6];
    if (fread(info, 1, 6, f) != 6) return fail(imginfo, f, why, cutShort(f));

    imginfo->width = info[0] + 256u * info[1];
    imginfo->height = info[2] + 256u * info[3];
    if (imginfo->width == 0 || imginfo->height == 0)
        return fail(imginfo, f, why, "0 pixels wide or high");

    if (info[4] != 24 && info[4] != 32)
        return fail(imginfo, f, why, std::to_string(info[4]) + " bits a pixel, not 24 or 32");
    imginfo->bpp = info[4];

    // 65535 x 65535 x 4 overflows 32 bits, so the size is kept in 64 bits.
    const uint64_t bytesPerPixel = imginfo->bpp / 8;
    const uint64_t imageSize = (uint64_t)imginfo->width * imginfo->height * bytesPerPixel;
    printf("TGA_Load: imagesize: %" PRIu64 "\n", imageSize);

    // A header may promise more than the file holds; refuse before allocating anything.
    long left = bytesLeft(f);
    if (left < 0) return fail(imginfo, f, why, strerror(errno));
    if ((uint64_t)left < imageSize)
        return fail(imginfo, f, why, "cut short at byte " + std::to_string(18 + left));
    if (imageSize > (uint64_t)SIZE_MAX) return fail(imginfo, f, why, "too large");

    GLubyte* data = (GLubyte*)malloc((size_t)imageSize);
    if (!data) return fail(imginfo, f, why, "too large to hold in memory");

    if (fread(data, 1, (size_t)imageSize, f) != (size_t)imageSize) {
        free(data);
        return fail(imginfo, f, why, cutShort(f));
    }

    for (uint64_t i = 0; i < imageSize; i += bytesPerPixel) {
        GLubyte t = data[i];
        data[i] = data[i + 2];
        data[i + 2] = t;
    }
    imginfo->imageData = data;

    printf("TGA_Load: width: %u height: %u bpp: %u\n", imginfo->width, imginfo->height,
           imginfo->bpp);
    fclose(f);
    return true;
}
