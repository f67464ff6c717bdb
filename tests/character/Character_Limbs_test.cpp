// Single limbs: measuring a tip draws nothing, drawing shows the limb and keeps the matrix.
#include "kinematics.h"
#include "support/gl_context.h"

#include <algorithm>

namespace {
int litPixels() {
    glFinish();
    std::vector<unsigned char> px = testgl::readBack(0, 0, 800, 800);
    int lit = 0;
    for (size_t i = 0; i < px.size(); i += 4) lit += (px[i] | px[i + 1] | px[i + 2]) != 0;
    return lit;
}
class LimbTest : public GLTest {};
}  // namespace

TEST_F(LimbTest, UpdateEndpointDrawsNothing) {
    glClearColor(0, 0, 0, 0);
    glRotatef(90, 0, 1, 0);  // the limbs lie along +x, across the view
    Character_Arm arm(0, 0, -0.3f, 0, 0, 0, 0);
    Character_Leg leg(0, 0.3f, -0.5f, 0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    arm.updateEndpoint();
    leg.updateEndpoint();
    EXPECT_EQ(litPixels(), 0);
    EXPECT_TRUE(arm.isDrawing() && leg.isDrawing());
    EXPECT_NEAR(arm.getEndPoint().x, 0.28f, 1e-5);  // measured all the same
    arm.draw();
    int armPixels = litPixels();
    EXPECT_GT(armPixels, 500);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    leg.draw();
    EXPECT_GT(litPixels(), armPixels + 500);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_TRUE(std::equal(before, before + 16, after));  // the caller's matrix is left alone
}
