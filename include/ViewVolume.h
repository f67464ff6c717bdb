// View-volume tests for culling: plain arithmetic on GL's column-major 4x4 matrices, no GL.
#ifndef QORVEL_VIEWVOLUME_H
#define QORVEL_VIEWVOLUME_H

// out = a * b, all column-major as glGetFloatv returns them; out may not alias a or b.
void multiplyColumnMajor(float out[16], const float a[16], const float b[16]);

// False only when the whole box lies outside one plane of the clip volume of `clip`
// (projection * model-view): a box that might show is never rejected.
bool boxMayBeVisible(const float clip[16], const float lo[3], const float hi[3]);

#endif
