// Read-back of the drawn frame. GL returns rows bottom first; PNG wants the top first.
#include "FrameCapture.h"

#include "PngFile.h"

#include <GL/gl.h>

#include <algorithm>

void readFrame(FramePicture& picture, int width, int height) {
    picture.width = width;
    picture.height = height;
    const size_t row = (size_t)width * 3;
    picture.rgb.resize(row * (size_t)height);
    if (picture.rgb.empty()) return;
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);  // rows of 3-byte pixels are not padded
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    for (int top = 0, bottom = height - 1; top < bottom; top++, bottom--) {
        unsigned char* a = picture.rgb.data() + row * top;
        std::swap_ranges(a, a + row, picture.rgb.data() + row * bottom);
    }
}

bool saveFrame(const FramePicture& picture, const std::string& path, std::string& error) {
    return writePng(path, picture.width, picture.height, picture.rgb.data(), error);
}
