// The PNG writer: what it writes decodes to the same pixels, and a failed write leaves nothing.
#include "PngFile.h"
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

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

TEST(PngFileTest, AFailedWriteKeepsTheOldPictureAndLeavesNoOtherFile) {
    testproc::TempDir dir;
    ASSERT_EQ(testproc::runShell("echo old > " + testproc::quote(dir.path + "/p.png")).status, 0);
    std::vector<unsigned char> noise(64 * 64 * 3);
    for (unsigned char& b : noise) b = (unsigned char)std::rand();  // beyond 1 KiB compressed
    // Files of this process may grow to 1 KiB only: the write fails as on a full disk.
    rlimit saved, small{1024, 1024};
    getrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &(small.rlim_max = saved.rlim_max, small));
    std::string error;
    const bool written = writePng(dir.path + "/p.png", 64, 64, noise.data(), error);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(testproc::runShell("cd " + testproc::quote(dir.path) + " && ls -A && cat p.png")
                  .output, "p.png\nold\n");
}

TEST(PngFileTest, ANewPictureNeverTakesANameALinkHolds) {
    testproc::TempDir dir;
    const std::string link = dir.path + "/shot.png", target = dir.path + "/elsewhere.png";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    const unsigned char pixel[3] = {1, 2, 3};
    std::string error;
    EXPECT_EQ(writeNewPng(link, 1, 1, pixel, error), NEW_PNG_NAME_TAKEN);
    EXPECT_NE(access(target.c_str(), F_OK), 0) << "written through the link";
}
