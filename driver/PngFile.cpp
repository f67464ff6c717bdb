// PNG output through libpng; its errors come back by longjmp, so nothing here owns C++ objects
// across the calls that may jump.
#include "PngFile.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {
void onWarning(png_structp, png_const_charp) {}

bool writeRows(FILE* file, int width, int height, const unsigned char* rgb, char* why) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, onWarning);
    if (png == nullptr) {
        std::strcpy(why, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        std::strcpy(why, "libpng could not encode the picture");
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Recording writes a picture every frame: the fastest level costs a few more bytes.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; y++)
        png_write_row(png, const_cast<png_bytep>(rgb + (size_t)y * width * 3));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}  // namespace

bool writePng(const std::string& path, int width, int height, const unsigned char* rgb,
              std::string& error) {
    if (width <= 0 || height <= 0 || rgb == nullptr) {
        error = "no picture to write";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    char why[64] = "";
    const bool written = writeRows(file, width, height, rgb, why);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = written ? std::strerror(errno) : why;
        std::remove(path.c_str());
        return false;
    }
    return true;
}
