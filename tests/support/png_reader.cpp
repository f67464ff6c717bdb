// PNG decoding with libpng's simplified reader, converting whatever was written to 8-bit RGB.
#include "support/png_reader.h"

#include <png.h>

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

}  // namespace testpng
