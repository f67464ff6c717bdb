// Height-map terrain: one vertex per pixel, a display list of triangle strips, height queries.
#ifndef QORVEL_TERRAIN_H
#define QORVEL_TERRAIN_H

#include "Texture.h"

#include <GL/gl.h>

class Terrain {
public:
    Terrain();
    // Reads the height map (heights from the last byte of each pixel times scale/256) and, when
    // tmapen is set, the surface texture; builds the display list. Needs a GL context.
    // An unreadable height map ends the process with status 1.
    Terrain(const char* hfilename, bool normen, float scale, bool tmapen, const char* tmfilename);
    virtual ~Terrain();

    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    int GetWidth();
    int GetLength();
    float GetMinX();
    float GetMaxX();
    float GetMinZ();
    float GetMaxZ();
    // Bilinear height at world (x, z); positions off the grid (and NaN) are clamped onto it.
    GLfloat GetHeight(float x, float z);
    int GetDLIndex();
    void CreateDL(float xOffset, float yOffset, float zOffset);

    int TerrainWidth;
    int TerrainLength;
    bool normals;
    int mode;
    GLuint DLIndex;
    bool texturemap;
    Texture* myTexture;
    float* T;
    float* N;
    float* C;

private:
    void* Allocate(int w, int h, int csize);
    void ComputeNormals();
    void CalcNorm(float* out, int rowA, int colA, int rowB, int colB, int rowC, int colC);
    float startW() const;
    float startL() const;
};

#endif
