// Vertices from the +z pole down, ring by ring, to the -z pole; one triangle strip per stack.
// The rings turn clockwise seen from +z (negative angles), which keeps the faces' winding.
#include "SolidSphere.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

namespace {
// sin and cos of `count` + 1 equal steps over a whole turn (or half a turn), the last repeating
// the first exactly (or landing on -1 exactly), as single floats.
void circleTable(std::vector<float>& sines, std::vector<float>& cosines, int n, bool half) {
    const int count = std::abs(n);
    const float angle = (half ? 1 : 2) * (float)M_PI / (float)(n == 0 ? 1 : n);
    sines.assign(count + 1, 0.0f);
    cosines.assign(count + 1, 1.0f);
    for (int i = 1; i < count; i++) {
        sines[i] = (float)std::sin(angle * i);
        cosines[i] = (float)std::cos(angle * i);
    }
    sines[count] = half ? 0.0f : sines[0];
    cosines[count] = half ? -1.0f : cosines[0];
}
}  // namespace

void drawSolidSphere(double radius, int slices, int stacks) {
    if (slices < 1 || stacks < 2) return;
    const float r = (float)radius;
    std::vector<float> sin1, cos1, sin2, cos2;
    circleTable(sin1, cos1, -slices, false);
    circleTable(sin2, cos2, stacks, true);

    const int vertexCount = slices * (stacks - 1) + 2;
    std::vector<float> vertices, normals;
    vertices.reserve(3 * (size_t)vertexCount);
    normals.reserve(3 * (size_t)vertexCount);
    auto add = [&](float x, float y, float z) {
        vertices.insert(vertices.end(), {x * r, y * r, z * r});
        normals.insert(normals.end(), {x, y, z});
    };
    add(0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; i++)
        for (int j = 0; j < slices; j++) add(cos1[j] * sin2[i], sin1[j] * sin2[i], cos2[i]);
    add(0.0f, 0.0f, -1.0f);

    // Each strip pairs a ring with the one above it, and closes on its first pair.
    const int perStrip = (slices + 1) * 2;
    std::vector<GLushort> strips;
    strips.reserve((size_t)perStrip * stacks);
    for (int j = 0; j <= slices; j++) strips.insert(strips.end(), {(GLushort)(j % slices + 1), 0});
    for (int i = 0; i < stacks - 2; i++) {
        const int ring = 1 + i * slices;
        for (int j = 0; j <= slices; j++)
            strips.insert(strips.end(),
                          {(GLushort)(ring + j % slices + slices), (GLushort)(ring + j % slices)});
    }
    const int lastRing = 1 + (stacks - 2) * slices;
    for (int j = 0; j <= slices; j++)
        strips.insert(strips.end(), {(GLushort)(vertexCount - 1), (GLushort)(lastRing + j % slices)});

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glNormalPointer(GL_FLOAT, 0, normals.data());
    for (int i = 0; i < stacks; i++)
        glDrawElements(GL_TRIANGLE_STRIP, perStrip, GL_UNSIGNED_SHORT, strips.data() + i * perStrip);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
