// Reader for uncompressed 24- and 32-bit true-colour TGA files into a plain pixel record.
#ifndef QORVEL_TGALOADER_H
#define QORVEL_TGALOADER_H

#include <GL/gl.h>

#include <string>

struct ImageInfo {
    GLubyte* imageData;  // width*height*bpp/8 bytes, RGB(A) order; malloc'd, owner frees
    GLuint bpp;          // 24 or 32
    GLuint width;
    GLuint height;
    GLuint texID;        // never written by TGA_Load
};

// Fills imginfo from filename. True only when a complete image was read; on false
// imginfo->imageData is null and nothing is left allocated.
bool TGA_Load(ImageInfo* imginfo, const char* filename);
// The same; on false `why` says what is wrong with the file, for the user ("No such file or
// directory", "cut short at byte 1000", "run-length compressed", ...).
bool TGA_Load(ImageInfo* imginfo, const char* filename, std::string& why);

#endif
