// One TGA image uploaded as one GL 2-D texture; owns its pixel buffer and its GL name.
#ifndef QORVEL_TEXTURE_H
#define QORVEL_TEXTURE_H

#include "TGALoader.h"

#include <GL/gl.h>

class Texture {
public:
    Texture();
    Texture(const char* filename, int ID);
    ~Texture();

    // Owns a GL name and a buffer: copying would release them twice.
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Loads and uploads; an unloadable file ends the process with status 1. Leaves the new
    // texture bound to GL_TEXTURE_2D. A second call releases the earlier image and name.
    bool Init(const char* filename, int ID);
    GLuint GetID();

    ImageInfo texImageInfo;
    GLuint texID;

private:
    void release();
    bool ownsName;
};

#endif
