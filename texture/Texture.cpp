// Texture object: TGA file -> GL texture with linear minification, default wrap and mag filter.
#include "Texture.h"

#include "ImageFailure.h"

#include <cstdio>
#include <cstdlib>

Texture::Texture() : texID(0), ownsName(false) {
    texImageInfo.imageData = nullptr;
    texImageInfo.bpp = 0;
    texImageInfo.width = 0;
    texImageInfo.height = 0;
    texImageInfo.texID = 0;
}

Texture::Texture(const char* filename, int ID) : Texture() {
    Init(filename, ID);
}

Texture::~Texture() {
    release();
}

void Texture::release() {
    free(texImageInfo.imageData);
    texImageInfo.imageData = nullptr;
    if (ownsName) {
        glDeleteTextures(1, &texID);
        ownsName = false;
    }
}

bool Texture::Init(const char* filename, int ID) {
    release();
    texID = ID;
    std::string why;
    if (!TGA_Load(&texImageInfo, filename, why)) {
        printf("Texture: Could not load image file %s!!\n", filename);
        fflush(stdout);
        fprintf(stderr, "quorvel: cannot read image '%s': %s\n", filename, why.c_str());
        imageFailed();
    }
    glGenTextures(1, &texID);
    ownsName = true;
    glBindTexture(GL_TEXTURE_2D, texID);  // left bound for the caller
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);  // an enum: the integer form
    GLenum format = texImageInfo.bpp == 32 ? GL_RGBA : GL_RGB;
    // TGA rows are tightly packed; with GL's default alignment of 4 a 24-bit row of odd width
    // would be read past its end, so upload with alignment 1 and restore the caller's value.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, format, texImageInfo.width, texImageInfo.height, 0, format,
                 GL_UNSIGNED_BYTE, texImageInfo.imageData);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return true;
}

GLuint Texture::GetID() {
    return texID;
}
