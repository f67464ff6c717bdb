// Loader tests: the one accepted header, byte order, rejected files, and hostile sizes.
#include "TGALoader.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using tgatest::TgaHeader;
using tgatest::tempPath;
using tgatest::writeTga;

namespace {

GLubyte sentinel;

// Loads with imageData pre-set to garbage, so a failure must actively leave it null.
bool load(ImageInfo& info, const std::string& path) {
    info.imageData = &sentinel;
    return TGA_Load(&info, path.c_str());
}

std::vector<uint8_t> bytes(const ImageInfo& info) {
    size_t n = (size_t)info.width * info.height * (info.bpp / 8);
    return std::vector<uint8_t>(info.imageData, info.imageData + n);
}

long vmPeakKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmPeak:", 0) == 0) return std::atol(line.c_str() + 7);
    return -1;
}

}  // namespace

TEST(TGALoader, SwapsRedAndBlueForBothDepths) {
    ImageInfo info;
    ASSERT_TRUE(load(info, writeTga(tempPath("rgb.tga"), 2, 1, 24, {1, 2, 3, 4, 5, 6})));
    EXPECT_EQ(info.width, 2u);
    EXPECT_EQ(info.height, 1u);
    EXPECT_EQ(info.bpp, 24u);
    EXPECT_EQ(bytes(info), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    free(info.imageData);

    ASSERT_TRUE(load(info, writeTga(tempPath("rgba.tga"), 1, 1, 32, {10, 20, 30, 40})));
    EXPECT_EQ(info.bpp, 32u);
    EXPECT_EQ(bytes(info), (std::vector<uint8_t>{30, 20, 10, 40}));
    free(info.imageData);
}

TEST(TGALoader, KeepsRowOrderIgnoresDescriptorAndTrailer) {
    TgaHeader h;
    h.width = 1;
    h.height = 2;
    h.descriptor = 0x20;  // top-down flag: ignored, rows stay in file order
    std::vector<uint8_t> px = {1, 1, 1, 9, 9, 9, 'f', 'o', 'o', 't'};
    ImageInfo info;
    ASSERT_TRUE(load(info, writeTga(tempPath("rows.tga"), h, px)));
    EXPECT_EQ(bytes(info), (std::vector<uint8_t>{1, 1, 1, 9, 9, 9}));
    free(info.imageData);
}

TEST(TGALoader, SizesAreLittleEndian) {
    TgaHeader h;
    h.width = 256;  // bytes 0x00, 0x01
    h.height = 1;
    std::vector<uint8_t> px(256 * 3, 7);
    ImageInfo info;
    ASSERT_TRUE(load(info, writeTga(tempPath("wide.tga"), h, px)));
    EXPECT_EQ(info.width, 256u);
    EXPECT_EQ(info.height, 1u);
    free(info.imageData);
}

TEST(TGALoader, RejectsEveryOtherHeaderLeavingNoBuffer) {
    struct Case {
        const char* what;
        void (*change)(TgaHeader&);
    };
    const Case cases[] = {
        {"rle", [](TgaHeader& h) { h.imageType = 10; }},
        {"colour-mapped", [](TgaHeader& h) { h.imageType = 1; }},
        {"id length", [](TgaHeader& h) { h.idLength = 1; }},
        {"colour map type", [](TgaHeader& h) { h.colorMapType = 1; }},
        {"colour map length", [](TgaHeader& h) { h.colorMapLength = 256; }},
        {"colour map entry", [](TgaHeader& h) { h.colorMapEntrySize = 24; }},
        {"x origin", [](TgaHeader& h) { h.xOrigin = 1; }},
        {"y origin", [](TgaHeader& h) { h.yOrigin = 5; }},
        {"8 bit", [](TgaHeader& h) { h.depth = 8; }},
        {"16 bit", [](TgaHeader& h) { h.depth = 16; }},
        {"width 0", [](TgaHeader& h) { h.width = 0; }},
        {"height 0", [](TgaHeader& h) { h.height = 0; }},
    };
    for (const Case& c : cases) {
        TgaHeader h;
        h.width = 2;
        h.height = 2;
        h.depth = 24;
        c.change(h);
        std::vector<uint8_t> px(2 * 2 * 4, 50);  // enough pixel bytes for any depth
        ImageInfo info;
        EXPECT_FALSE(load(info, writeTga(tempPath("bad.tga"), h, px))) << c.what;
        EXPECT_EQ(info.imageData, nullptr) << c.what;
    }

    ImageInfo info;
    EXPECT_FALSE(load(info, tempPath("does_not_exist.tga")));
    EXPECT_EQ(info.imageData, nullptr);

    // Files that end inside the header.
    for (size_t len : {0u, 5u, 12u, 17u}) {
        std::string p = tempPath("short.tga");
        std::vector<uint8_t> head = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24};
        FILE* f = fopen(p.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fwrite(head.data(), 1, len, f);
        fclose(f);
        EXPECT_FALSE(load(info, p)) << len;
        EXPECT_EQ(info.imageData, nullptr) << len;
    }
}

TEST(TGALoader, TruncatedPixelDataFails) {
    ImageInfo info;
    // 2x2 at 32 bits needs 16 bytes; one is missing.
    std::vector<uint8_t> px(15, 1);
    EXPECT_FALSE(load(info, writeTga(tempPath("trunc.tga"), 2, 2, 32, px)));
    EXPECT_EQ(info.imageData, nullptr);
}

TEST(TGALoader, HugeHeaderInTinyFileIsRefusedBeforeAllocating) {
    // 256 MB claimed by a 30-byte file: an allocation that size would raise the peak
    // virtual size of this process, which has run only small allocations so far.
    TgaHeader h;
    h.width = 8192;
    h.height = 8192;
    h.depth = 32;
    std::string path = writeTga(tempPath("big.tga"), h, std::vector<uint8_t>(12, 0));
    ImageInfo info;
    long before = vmPeakKb();
    ASSERT_GT(before, 0);
    EXPECT_FALSE(load(info, path));
    EXPECT_EQ(info.imageData, nullptr);
    EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";

    h.width = 65535;
    h.height = 65535;
    path = writeTga(tempPath("huge.tga"), h, std::vector<uint8_t>(12, 0));
    testing::internal::CaptureStdout();
    bool ok = load(info, path);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok);
    EXPECT_EQ(info.imageData, nullptr);
    // The size is printed in full, not wrapped to 32 bits.
    EXPECT_NE(out.find("TGA_Load: imagesize: 17179344900\n"), std::string::npos) << out;
    EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";
}

TEST(TGALoader, PrintsItsProgressLines) {
    std::string path = writeTga(tempPath("msg.tga"), 2, 1, 24, {1, 2, 3, 4, 5, 6});
    ImageInfo info;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(load(info, path));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Attepting to open file: " + path +
                       "\nTGA_Load: imagesize: 6\nTGA_Load: width: 2 height: 1 bpp: 24\n");
    free(info.imageData);
}
