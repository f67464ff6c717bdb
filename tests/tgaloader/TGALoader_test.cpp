// Loader tests: the one accepted header, byte order, rejected files, and hostile sizes.
#include "TGALoader.h"
#include "support/fakes.h"
#include "support/tga_writer.h"

#include <cstdlib>
#include <fstream>

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

TEST(TGALoader, AcceptedFilesSwapRedAndBlueKeepRowOrderAndTheScenesImagesLoad) {
    std::vector<uint8_t> flagged = tgaHeader(1, 2, 24);
    flagged[17] = 0x20;  // the top-down flag is ignored: rows stay in file order
    flagged.insert(flagged.end(), {1, 1, 1, 9, 9, 9, 'f', 'o', 'o', 't'});  // and the trailer
    const struct { std::string path; unsigned w, h, bpp; std::vector<uint8_t> want; } cases[] = {
        {writeTga(tempPath("rgb.tga"), 2, 1, 24, {1, 2, 3, 4, 5, 6}), 2, 1, 24, {3, 2, 1, 6, 5, 4}},
        {writeTga(tempPath("rgba.tga"), 1, 1, 32, {10, 20, 30, 40}), 1, 1, 32, {30, 20, 10, 40}},
        {writeFile(tempPath("rows.tga"), flagged), 1, 2, 24, {1, 1, 1, 9, 9, 9}},
        // The scene's own images, at the sizes and depths it draws them.
        {"tga/ground3.tga", 256, 256, 24, {}}, {"tga/ground4.tga", 256, 256, 24, {}},
        {"tga/clouds3.tga", 256, 256, 24, {}}, {"tga/clouds2.tga", 256, 256, 24, {}},
        {"tga/moon.tga", 128, 128, 32, {}},    {"tga/fire3.tga", 64, 64, 32, {}},
        {"tga/spark1.tga", 32, 32, 32, {}}};
    ImageInfo info;
    for (const auto& c : cases) {
        ASSERT_TRUE(load(info, c.path)) << c.path;
        EXPECT_TRUE(info.width == c.w && info.height == c.h && info.bpp == c.bpp) << c.path;
        EXPECT_EQ(std::vector<uint8_t>(info.imageData, info.imageData + c.want.size()), c.want);
        free(info.imageData);
    }
}

TEST(TGALoader, RejectedFilesLeaveNoBuffer) {
    // Header byte set to a value: type RLE and colour-mapped, id length, colour map type, length
    // and entry size, x and y origin, 8 and 16 bits, zero width and height. A value of -1 cuts
    // the file at that byte instead: inside the header, or one pixel byte short.
    const int changes[][2] = {{2, 10}, {2, 1},  {0, 1},   {1, 1},   {6, 1},   {7, 24},
                              {8, 1},  {10, 5}, {16, 8},  {16, 16}, {12, 0},  {14, 0},
                              {0, -1}, {5, -1}, {12, -1}, {17, -1}, {33, -1}};
    ImageInfo info;
    for (const auto& c : changes) {
        std::vector<uint8_t> bytes = tgaHeader(2, 2, 32);
        bytes.resize(c[1] < 0 ? c[0] : 18 + 16, 50);  // cut, or exactly the pixels asked for
        if (c[1] >= 0) bytes[c[0]] = (uint8_t)c[1];
        std::string path = writeFile(tempPath("bad.tga"), bytes);
        EXPECT_FALSE(load(info, path) || info.imageData) << c[0] << " " << c[1];
    }
    EXPECT_FALSE(load(info, tempPath("does_not_exist.tga")) || info.imageData);
}

TEST(TGALoader, HugeHeaderInTinyFileIsRefusedBeforeAllocating) {
    // 256 MB, then 16 GB, claimed by 22-byte files: an allocation that size would raise the
    // peak virtual size of this process, which has run only small allocations so far.
    long before = vmPeakKb();
    ASSERT_GT(before, 0);
    for (int side : {8192, 65535}) {
        ImageInfo info;
        EXPECT_FALSE(load(info, writeTga(tempPath("big.tga"), side, side, 32, {1, 2, 3, 4}))
                     || info.imageData);
        EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";
    }
}
