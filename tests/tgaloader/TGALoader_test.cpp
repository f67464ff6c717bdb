// Loader tests: the one accepted header, byte order, rejected files, and a hostile size.
#include "TGALoader.h"
#include "support/fakes.h"
#include "support/tga_writer.h"

#include <cstdlib>
#include <fstream>
#include <memory>

using namespace tgatest;

namespace {
GLubyte sentinel;

// Loads with imageData pre-set to garbage, so a failure must actively leave it null.
bool load(ImageInfo& info, const std::string& path) {
    info.imageData = &sentinel;
    bool ok = false;
    quietly([&] { ok = TGA_Load(&info, path.c_str()); });
    return ok;
}

long vmPeakKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmPeak:", 0) == 0) return std::atol(line.c_str() + 7);
    return -1;
}
}  // namespace

// File bytes are blue, green, red (, alpha); a width of 258 is stored as 2, 1.
TEST(TGALoader, PixelsArriveAsRedGreenBlueWithAlphaLastAtLittleEndianSizes) {
    const struct { int width, depth; std::vector<uint8_t> file, want; } cases[] = {
        {2, 24, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}},
        {2, 32, {10, 20, 30, 40, 50, 60, 70, 80}, {30, 20, 10, 40, 70, 60, 50, 80}},
        {258, 24, std::vector<uint8_t>(258 * 3, 7), std::vector<uint8_t>(258 * 3, 7)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " pixels of " << c.depth << " bits");
        ImageInfo info;
        ASSERT_TRUE(load(info, writeTga(tempPath("row.tga"), c.width, 1, c.depth, c.file)));
        std::unique_ptr<GLubyte, void (*)(void*)> freed(info.imageData, free);
        EXPECT_EQ(info.width, (unsigned)c.width);
        EXPECT_EQ(std::vector<uint8_t>(info.imageData, info.imageData + c.want.size()), c.want);
    }
}

// Each file is a 2x2 32-bit image with exactly its pixels, but for one change or a cut; and
// no file.
TEST(TGALoader, RejectedFilesLeaveNoBuffer) {
    const struct { const char* what; int at, value; size_t length; } files[] = {
        {"run-length type", 2, 10, 34}, {"an id field", 0, 1, 34}, {"a colour map", 1, 1, 34},
        {"colour map entry", 7, 24, 34}, {"y origin", 10, 5, 34}, {"16 bits", 16, 16, 34},
        {"zero width", 12, 0, 34}, {"zero height", 14, 0, 34}, {"empty", 2, 2, 0},
        {"cut before the size", 2, 2, 12}, {"one pixel byte short", 2, 2, 33}};
    for (const auto& f : files) {
        std::vector<uint8_t> bytes = tgaHeader(2, 2, 32);
        bytes.resize(18 + 16, 50);
        bytes[f.at] = (uint8_t)f.value;
        bytes.resize(f.length);
        ImageInfo info;
        EXPECT_FALSE(load(info, writeFile(tempPath("bad.tga"), bytes))) << f.what;
        EXPECT_EQ(info.imageData, nullptr) << f.what;
    }
    ImageInfo info;
    EXPECT_FALSE(load(info, tempPath("does_not_exist.tga")));
    EXPECT_EQ(info.imageData, nullptr) << "no file";
}

// 256 MB claimed by a 22-byte file: allocating that much would raise the peak virtual size of
// this process, which has run only small allocations so far.
TEST(TGALoader, HugeHeaderInTinyFileIsRefusedBeforeAllocating) {
    long before = vmPeakKb();
    ASSERT_GT(before, 0);
    ImageInfo info;
    EXPECT_FALSE(load(info, writeTga(tempPath("big.tga"), 8192, 8192, 32, {1, 2, 3, 4})));
    EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";
}
