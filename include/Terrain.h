// Height-map terrain: one vertex per pixel, triangle strips in display lists (the whole surface,
// and blocks of it for drawing only what is in view), height queries.
#ifndef QORVEL_TERRAIN_H
#define QORVEL_TERRAIN_H

#include "Texture.h"

#include <GL/gl.h>

#include <vector>

class Terrain {
public:
    Terrain();
    // Reads the height map (heights from the last byte of each pixel times scale/256) and, when
    // tmapen is set, the surface texture; builds the display lists. Needs a GL context.
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
    // The whole surface, texture matrix included: what Draw shows, without the culling.
    // Compiled on the first call after CreateDL (the scene itself draws blocks); 0 when GL
    // could not give it a name.
    int GetDLIndex();
    // Compiles the blocks' lists and sets the offsets of the whole list; every list made by
    // an earlier call is released first. A list name GL cannot give is reported on standard
    // output and nothing of that part is drawn.
    void CreateDL(float xOffset, float yOffset, float zOffset);

    // Draws the blocks that may show under the current model-view and projection, nearest
    // first, and leaves the current colour, normal and texture coordinates as the whole list
    // does. Returns how many blocks it drew.
    int Draw();
    int GetBlockCount() const { return (int)myBlocks.size(); }
    int GetBlocksDrawn() const { return blocksDrawn; }

    // Cells along each side of a block (fewer at the far edges of the map).
    static const int BLOCK_CELLS = 16;

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
    struct Block {
        GLuint list;
        float lo[3], hi[3];  // bounds of its vertices, widened a little
    };
    void CreateWholeList();
    void CreateBlocks(float xOffset, float yOffset, float zOffset);
    void ReleaseLists();
    void EmitVertex(int q, int c, float xOffset, float yOffset, float zOffset);

    std::vector<Block> myBlocks;
    GLuint blockBase;
    int blocksDrawn;
    bool wholeListDue;        // CreateDL ran and the whole list has not been asked for since
    float wholeOffset[3];     // the offsets it was given, for the whole list
    void* Allocate(int w, int h, int csize);
    void ComputeNormals();
    void CalcNorm(float* out, int rowA, int colA, int rowB, int colB, int rowC, int colC);
    float startW() const;
    float startL() const;
};

#endif
