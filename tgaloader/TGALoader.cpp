// TGA reader: accepts only the plain uncompressed true-colour header, swaps BGR(A) to RGB(A).
#include "TGALoader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cinttypes>

static const GLubyte kPlainHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Bytes from the current position to the end of the file, or -1 when it cannot be told.
static long bytesLeft(FILE* f) {
    long here = ftell(f);
    if (here < 0 || fseek(f, 0, SEEK_END) != 0) return -1;
    long end = ftell(f);
    if (end < 0 || fseek(f, here, SEEK_SET) != 0) return -1;
    return end - here;
}

static bool fail(ImageInfo* imginfo, FILE* f) {
    imginfo->imageData = nullptr;
    if (f) fclose(f);
    return false;
}

bool TGA_Load(ImageInfo* imginfo, const char* filename) {
    printf("Attepting to open file: %s\n", filename);
    imginfo->imageData = nullptr;  // so no failure path leaves a stale pointer behind

    FILE* f = fopen(filename, "rb");
    if (!f) return fail(imginfo, nullptr);

    GLubyte head[12];
    if (fread(head, 1, 12, f) != 12 || memcmp(head, kPlainHeader, 12) != 0)
        return fail(imginfo, f);

    GLubyte info[6];
    if (fread(info, 1, 6, f) != 6) return fail(imginfo, f);

    imginfo->width = info[0] + 256u * info[1];
    imginfo->height = info[2] + 256u * info[3];
    if (imginfo->width == 0 || imginfo->height == 0) return fail(imginfo, f);

    if (info[4] != 24 && info[4] != 32) return fail(imginfo, f);
    imginfo->bpp = info[4];

    // 65535 x 65535 x 4 overflows 32 bits, so the size is kept in 64 bits.
    const uint64_t bytesPerPixel = imginfo->bpp / 8;
    const uint64_t imageSize = (uint64_t)imginfo->width * imginfo->height * bytesPerPixel;
    printf("TGA_Load: imagesize: %" PRIu64 "\n", imageSize);

    // A header may promise more than the file holds; refuse before allocating anything.
    long left = bytesLeft(f);
    if (left < 0 || (uint64_t)left < imageSize || imageSize > (uint64_t)SIZE_MAX)
        return fail(imginfo, f);

    GLubyte* data = (GLubyte*)malloc((size_t)imageSize);
    if (!data) return fail(imginfo, f);

    if (fread(data, 1, (size_t)imageSize, f) != (size_t)imageSize) {
        free(data);
        return fail(imginfo, f);
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
