#include "character_driver.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

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
    Angle = 10.0f;
    deltaAngle = 0.0f;
}

class WindowTest : public GLTest {};

TEST_F(WindowTest, ReshapeSurvivesZeroHeight) {
    testing::internal::CaptureStdout();
    myReshape(800, 0);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float v : projection) EXPECT_TRUE(std::isfinite(v));
    myReshape(800, 800);
    testing::internal::GetCapturedStdout();
}
