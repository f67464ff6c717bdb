#include "character_driver.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

TEST_F(WindowTest, ReshapePrintsSizeAndSurvivesZeroHeight) {
    testing::internal::CaptureStdout();
    myReshape(800, 800);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Window Size: 800 by 800\n");

    testing::internal::CaptureStdout();
    myReshape(800, 0);
    testing::internal::GetCapturedStdout();
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float v : projection) EXPECT_TRUE(std::isfinite(v));
    myReshape(800, 800);
}

TEST_F(WindowTest, ClearedFrameShowsTheClearColour) {
    init();
    testing::internal::CaptureStdout();
    myReshape(800, 800);
    testing::internal::GetCapturedStdout();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
    // The clear colour (0.2, 0.3, 0.4) in bytes.
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(400, 400), 51, 77, 102, 1));
    EXPECT_TRUE(testgl::pixelNear(testgl::pixelAt(5, 795), 51, 77, 102, 1));
}
