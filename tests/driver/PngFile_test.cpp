// The PNG writer: what it writes decodes to the same pixels, and a failed write leaves nothing.
#include "PngFile.h"
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

TEST(PngFileTest, WrittenPixelsDecodeUnchangedTopRowFirst) {
    const int w = 3, h = 2;
    std::vector<unsigned char> rgb(w * h * 3);
    for (size_t i = 0; i < rgb.size(); i++) rgb[i] = (unsigned char)(i * 13);
    testproc::TempDir dir;
    const std::string path = dir.path + "/p.png";
    std::string error;
    ASSERT_TRUE(writePng(path, w, h, rgb.data(), error)) << error;
    testpng::Picture back = testpng::readPng(path);
    ASSERT_TRUE(back.read);
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_EQ(back.rgb, rgb);
}

TEST(PngFileTest, AnUnwritablePathFailsWithTheReason) {
    const unsigned char pixel[3] = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(writePng("/nonexistent-folder/p.png", 1, 1, pixel, error));
    EXPECT_EQ(error, "No such file or directory");
}
