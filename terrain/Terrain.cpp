// Height-map terrain: arrays from a TGA file, per-vertex normals, the strip display lists (the
// whole surface, and blocks culled against the view volume) and bilinear height queries.
#include "Terrain.h"

#include "ImageFailure.h"
#include "TGALoader.h"
#include "ViewVolume.h"
#include "lib_math.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

Terrain::Terrain()
    : TerrainWidth(0), TerrainLength(0), normals(false), mode(1), DLIndex(0), texturemap(false),
      myTexture(nullptr), T(nullptr), N(nullptr), C(nullptr), blockBase(0), blocksDrawn(0),
      wholeListDue(false), wholeOffset{0.0f, 0.0f, 0.0f} {}

Terrain::Terrain(const char* hfilename, bool normen, float scale, bool tmapen,
                 const char* tmfilename)
    : Terrain() {
    normals = normen;
    texturemap = tmapen;

    ImageInfo image;
    std::string why;
    if (!TGA_Load(&image, hfilename, why)) {
        printf("Could not load height image file!!\n");
        fflush(stdout);
        fprintf(stderr, "quorvel: cannot read image '%s': %s\n", hfilename, why.c_str());
        imageFailed();
    }
    printf("New height-map terrain %s!\n", hfilename);

    TerrainWidth = (int)image.width;
    TerrainLength = (int)image.height;
    mode = (int)image.bpp / 8;
    const size_t count = (size_t)TerrainWidth * TerrainLength;

    C = mode == 4 ? (float*)malloc(count * 3 * sizeof(float)) : nullptr;
    T = (float*)malloc(count * sizeof(float));
    for (size_t p = 0; p < count; ++p) {
        const GLubyte* px = image.imageData + p * mode;
        T[p] = px[mode - 1] * 0.00390625f * scale;
        if (C) {
            C[p * 3 + 0] = px[0] * 0.00390625f;
            C[p * 3 + 1] = px[1] * 0.00390625f;
            C[p * 3 + 2] = px[2] * 0.00390625f;
        }
    }
    free(image.imageData);  // everything needed now lives in T and C

    if (normals) {
        N = (float*)Allocate(TerrainWidth, TerrainLength, 12);
        ComputeNormals();
    }
    if (texturemap) {
        printf("New surface texture map: %s\n", tmfilename);
        myTexture = new Texture();
        myTexture->Init(tmfilename, 0);
    }
    CreateDL(0, 0, 0);
}

// The terrain owns its list and texture as well as its arrays, so it gives all of them back.
Terrain::~Terrain() {
    free(T);
    free(N);
    free(C);
    delete myTexture;
    ReleaseLists();
}

int Terrain::GetWidth() { return TerrainWidth; }
int Terrain::GetLength() { return TerrainLength; }
float Terrain::GetMinX() { return (float)(TerrainWidth / 2.0 - TerrainWidth); }
float Terrain::GetMaxX() { return (float)(TerrainWidth / 2.0); }
float Terrain::GetMinZ() { return (float)(TerrainLength / 2.0 - TerrainLength); }
float Terrain::GetMaxZ() { return (float)(TerrainLength / 2.0); }
int Terrain::GetDLIndex() {
    if (wholeListDue) {
        wholeListDue = false;  // one try per CreateDL, so a failure is reported once
        CreateWholeList();
    }
    return (int)DLIndex;
}

float Terrain::startW() const { return (float)(TerrainWidth / 2.0 - TerrainWidth); }
float Terrain::startL() const { return (float)(-TerrainLength / 2.0 + TerrainLength); }

void* Terrain::Allocate(int w, int h, int csize) {
    return calloc((size_t)w * h, (size_t)csize);
}

void Terrain::CalcNorm(float* out, int rowA, int colA, int rowB, int colB, int rowC, int colC) {
    const float sw = startW(), sl = startL();
    const int W = TerrainWidth;
    FVEC p0, p1, p2, e1, e2;
    vecinit(p0);
    vecinit(p1);
    vecinit(p2);
    p0[0] = colA + sw; p0[1] = T[(size_t)rowA * W + colA]; p0[2] = sl - rowA;
    p1[0] = colB + sw; p1[1] = T[(size_t)rowB * W + colB]; p1[2] = sl - rowB;
    p2[0] = colC + sw; p2[1] = T[(size_t)rowC * W + colC]; p2[2] = sl - rowC;
    vecsub(e1, p1, p0);
    vecsub(e2, p2, p0);
    xprodnorm(out, e1, e2);
    if (out[1] < 0) {
        out[0] = -out[0];
        out[1] = -out[1];
        out[2] = -out[2];
    }
}

void Terrain::ComputeNormals() {
    printf("Computing normals...\n");
    const int W = TerrainWidth, L = TerrainLength;
    // East, north, west, south: neighbours in rotational order around the vertex.
    const int dr[4] = {0, -1, 0, 1};
    const int dc[4] = {1, 0, -1, 0};
    for (int r = 0; r < L; ++r) {
        for (int c = 0; c < W; ++c) {
            FVEC sum, tri;
            vecinit(sum);
            vecinit(tri);
            int used = 0;
            for (int k = 0; k < 4; ++k) {
                int ra = r + dr[k], ca = c + dc[k];
                int rb = r + dr[(k + 1) % 4], cb = c + dc[(k + 1) % 4];
                bool a = ra >= 0 && ra < L && ca >= 0 && ca < W;
                bool b = rb >= 0 && rb < L && cb >= 0 && cb < W;
                if (!a || !b) continue;
                CalcNorm(tri, r, c, ra, ca, rb, cb);
                vecadd(sum, sum, tri);
                ++used;
            }
            float* n = N + ((size_t)r * W + c) * 3;
            if (used == 0) {
                // A one-pixel-wide map has no triangles: call the ground level.
                n[0] = 0; n[1] = 1; n[2] = 0;
                continue;
            }
            norm(sum);
            n[0] = sum[0]; n[1] = sum[1]; n[2] = sum[2];
        }
    }
    printf("Done computing normals.\n");
}

void Terrain::EmitVertex(int q, int c, float xOffset, float yOffset, float zOffset) {
    size_t p = (size_t)q * TerrainWidth + c, k = p * 3;
    float s = c + startW(), t = startL() - q;
    if (mode == 4) glColor3fv(&C[k]);  // opaque
    if (normals) glNormal3fv(&N[k]);
    if (texturemap) glTexCoord2f(s, t);
    glVertex3f(s + xOffset, T[p] + yOffset, t + zOffset);
}

namespace {
// glGenLists answers 0 when it cannot give names; 0 is no list, so nothing may use it.
GLuint listNames(GLsizei count, const char* what) {
    GLuint base = glGenLists(count);
    if (base == 0) printf("Terrain: GL gave no display list names for %s\n", what);
    return base;
}
}  // namespace

void Terrain::ReleaseLists() {
    if (DLIndex != 0) glDeleteLists(DLIndex, 1);
    if (blockBase != 0) glDeleteLists(blockBase, (GLsizei)myBlocks.size());
    DLIndex = 0;
    blockBase = 0;
    myBlocks.clear();
}

// About 4 MB for the scene's map, which draws its blocks instead: made only when asked for.
void Terrain::CreateDL(float xOffset, float yOffset, float zOffset) {
    ReleaseLists();
    wholeOffset[0] = xOffset;
    wholeOffset[1] = yOffset;
    wholeOffset[2] = zOffset;
    wholeListDue = true;
    CreateBlocks(xOffset, yOffset, zOffset);
}

void Terrain::CreateWholeList() {
    const int W = TerrainWidth, L = TerrainLength;
    const float xOffset = wholeOffset[0], yOffset = wholeOffset[1], zOffset = wholeOffset[2];
    DLIndex = listNames(1, "the whole surface");
    if (DLIndex == 0) return;
    glNewList(DLIndex, GL_COMPILE);
    if (texturemap) {
        glBindTexture(GL_TEXTURE_2D, myTexture->GetID());
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glScalef(0.05f, 0.05f, 0.05f);  // surface image repeats every 20 units
    }
    for (int r = 0; W >= 2 && r + 1 < L; ++r) {  // a strip needs two rows and two columns
        glBegin(GL_TRIANGLE_STRIP);
        for (int c = 0; c < W; ++c) {
            EmitVertex(r + 1, c, xOffset, yOffset, zOffset);
            EmitVertex(r, c, xOffset, yOffset, zOffset);
        }
        glEnd();
    }
    if (texturemap) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    glEndList();
}

// Each block holds the same strips cut at every BLOCK_CELLS columns. A piece starts at an even
// vertex of the full strip, so its triangles are the full strip's, vertex for vertex.
void Terrain::CreateBlocks(float xOffset, float yOffset, float zOffset) {
    const int W = TerrainWidth, L = TerrainLength;
    if (W < 2 || L < 2) return;
    const int across = (W - 2) / BLOCK_CELLS + 1, down = (L - 2) / BLOCK_CELLS + 1;
    const float MARGIN = 0.5f;  // far more than the rounding of the view-volume test
    blockBase = listNames(across * down, "the blocks");
    if (blockBase == 0) return;
    for (int br = 0; br < down; ++br) {
        for (int bc = 0; bc < across; ++bc) {
            const int r0 = br * BLOCK_CELLS, r1 = std::min(r0 + BLOCK_CELLS, L - 1);
            const int c0 = bc * BLOCK_CELLS, c1 = std::min(c0 + BLOCK_CELLS, W - 1);
            float low = T[(size_t)r0 * W + c0], high = low;
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c) {
                    low = std::min(low, T[(size_t)r * W + c]);
                    high = std::max(high, T[(size_t)r * W + c]);
                }
            Block b = {blockBase + (GLuint)myBlocks.size(),
                       {c0 + startW() + xOffset - MARGIN, low + yOffset - MARGIN,
                        startL() - r1 + zOffset - MARGIN},
                       {c1 + startW() + xOffset + MARGIN, high + yOffset + MARGIN,
                        startL() - r0 + zOffset + MARGIN}};
            glNewList(b.list, GL_COMPILE);
            for (int r = r0; r < r1; ++r) {
                glBegin(GL_TRIANGLE_STRIP);
                for (int c = c0; c <= c1; ++c) {
                    EmitVertex(r + 1, c, xOffset, yOffset, zOffset);
                    EmitVertex(r, c, xOffset, yOffset, zOffset);
                }
                glEnd();
            }
            glEndList();
            myBlocks.push_back(b);
        }
    }
}

int Terrain::Draw() {
    float modelView[16], projection[16], clip[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    multiplyColumnMajor(clip, projection, modelView);
    // Nearest first (by the eye-space distance of the block's centre), so the depth test turns
    // away hidden hills before they are shaded.
    std::vector<std::pair<float, GLuint>> visible;
    visible.reserve(myBlocks.size());
    for (const Block& b : myBlocks) {
        if (!boxMayBeVisible(clip, b.lo, b.hi)) continue;
        float centre[3], distance = 0.0f;
        for (int k = 0; k < 3; ++k) centre[k] = 0.5f * (b.lo[k] + b.hi[k]);
        for (int row = 0; row < 3; ++row) {
            float e = modelView[12 + row];
            for (int k = 0; k < 3; ++k) e += modelView[k * 4 + row] * centre[k];
            distance += e * e;
        }
        visible.push_back({distance, b.list});
    }
    std::sort(visible.begin(), visible.end());

    if (texturemap) {
        glBindTexture(GL_TEXTURE_2D, myTexture->GetID());
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glScalef(0.05f, 0.05f, 0.05f);
    }
    for (const auto& v : visible) glCallList(v.second);
    if (texturemap) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    // The whole list ends on vertex (L - 2, W - 1); later draws may rely on what it set.
    const int W = TerrainWidth, L = TerrainLength;
    if (W >= 2 && L >= 2) {
        size_t k = ((size_t)(L - 2) * W + W - 1) * 3;
        if (mode == 4) glColor3fv(&C[k]);
        if (normals) glNormal3fv(&N[k]);
        if (texturemap) glTexCoord2f(W - 1 + startW(), startL() - (L - 2));
    }
    blocksDrawn = (int)visible.size();
    return blocksDrawn;
}

GLfloat Terrain::GetHeight(float x, float z) {
    const int W = TerrainWidth, L = TerrainLength;
    if (W <= 0 || L <= 0 || !T) return 0.0f;
    float u = x - startW();
    float v = startL() - z;
    // Off the grid (the camera may be anywhere) the nearest edge answers; NaN goes to cell 0.
    if (!(u >= 0.0f)) u = 0.0f;
    if (u > W - 1) u = (float)(W - 1);
    if (!(v >= 0.0f)) v = 0.0f;
    if (v > L - 1) v = (float)(L - 1);

    int x0 = (int)std::floor(u), z0 = (int)std::floor(v);
    float xr = u - x0, zr = v - z0;
    if (xr == 0.0f && zr == 0.0f) return T[(size_t)z0 * W + x0];
    // At the last column or row the neighbour has weight 0; point it back inside the grid.
    int x1 = x0 + 1 < W ? x0 + 1 : x0;
    int z1 = z0 + 1 < L ? z0 + 1 : z0;
    float th0 = T[(size_t)z0 * W + x0], th1 = T[(size_t)z1 * W + x0];
    float th2 = T[(size_t)z0 * W + x1], th3 = T[(size_t)z1 * W + x1];
    float xl = 1 - xr, zl = 1 - zr;  // weights of the lower column and row
    return xl * zl * th0 + xl * zr * th1 + xr * zl * th2 + xr * zr * th3;
}
