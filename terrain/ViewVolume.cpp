// View-volume tests for culling the terrain's blocks.
#include "ViewVolume.h"

void multiplyColumnMajor(float out[16], const float a[16], const float b[16]) {
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++) {
            float sum = 0.0f;
            for (int k = 0; k < 4; k++) sum += a[k * 4 + row] * b[col * 4 + k];
            out[col * 4 + row] = sum;
        }
}

bool boxMayBeVisible(const float clip[16], const float lo[3], const float hi[3]) {
    // The clip volume is -w <= x, y, z <= w: six planes, each a row of the matrix added to or
    // taken from the w row. Points behind the eye are handled by the same linear tests.
    for (int axis = 0; axis < 3; axis++) {
        for (int sign = -1; sign <= 1; sign += 2) {
            float plane[4];
            for (int k = 0; k < 4; k++) plane[k] = clip[k * 4 + 3] + sign * clip[k * 4 + axis];
            // The corner farthest along the plane's normal: if even it is outside, all are.
            float d = plane[3];
            for (int k = 0; k < 3; k++) d += plane[k] * (plane[k] >= 0.0f ? hi[k] : lo[k]);
            if (d < 0.0f) return false;
        }
    }
    return true;
}
