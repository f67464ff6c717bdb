// Writes 8-bit RGB pictures as PNG files through libpng. No GL here.
#ifndef QORVEL_PNGFILE_H
#define QORVEL_PNGFILE_H

#include <string>

// `rgb` holds height rows of width pixels, top row first, 3 bytes a pixel. On failure returns
// false with the reason in `error` and leaves no partial file behind.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgb,
              std::string& error);

#endif
