// The world spin's wrap and a window reshaped to zero height.
#include "character_driver.h"
#include "support/fakes.h"
#include "support/gl_context.h"

#include <cmath>

TEST(WorldSpin, WrapsToZeroOnlyStrictlyBeyond360) {
    Angle = 10.0f;
    deltaAngle = 0.5f;
    for (int i = 0; i < 700; i++) spinWorld();
    EXPECT_FLOAT_EQ(Angle, 360.0f);  // exactly 360 is kept
    spinWorld();
    EXPECT_EQ(Angle, 0.0f);  // 360.5 goes to 0, not to 0.5
    Angle = -359.75f;
    deltaAngle = -0.5f;
    spinWorld();
    EXPECT_EQ(Angle, 0.0f);
}

class WindowTest : public GLTest {};

TEST_F(WindowTest, ReshapeSurvivesZeroHeight) {
    GLfloat projection[16];
    quietly([&] {
        myReshape(800, 0);
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        myReshape(800, 800);
    });
    for (float v : projection) EXPECT_TRUE(std::isfinite(v));
}
