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
bool load(ImageInfo& info, const std::string& path, std::string* said = nullptr) {
    info.imageData = &sentinel;
    bool ok = false;
    std::string out = quietly([&] { ok = TGA_Load(&info, path.c_str()); });
    if (said) *said = out;
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

TEST(TGALoader, AcceptedFilesSwapRedAndBlueAndKeepRowOrder) {
    std::vector<uint8_t> flagged = tgaHeader(1, 2, 24);
    flagged[17] = 0x20;  // the top-down flag is ignored: rows stay in file order
    flagged.insert(flagged.end(), {1, 1, 1, 9, 9, 9, 'f', 'o', 'o', 't'});  // and the trailer
    const struct {
        std::string path;
        unsigned w, h, bpp;
        std::vector<uint8_t> want;
    } cases[] = {
        {writeTga(tempPath("rgb.tga"), 2, 1, 24, {1, 2, 3, 4, 5, 6}), 2, 1, 24, {3, 2, 1, 6, 5, 4}},
        {writeTga(tempPath("rgba.tga"), 1, 1, 32, {10, 20, 30, 40}), 1, 1, 32, {30, 20, 10, 40}},
        {writeFile(tempPath("rows.tga"), flagged), 1, 2, 24, {1, 1, 1, 9, 9, 9}}};
    for (const auto& c : cases) {
        ImageInfo info;
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
    for (const auto& c : changes) {
        std::vector<uint8_t> bytes = tgaHeader(2, 2, 32);
        bytes.resize(18 + 16, 50);  // exactly the pixels the header asks for
        if (c[1] < 0)
            bytes.resize(c[0]);
        else
            bytes[c[0]] = (uint8_t)c[1];
        ImageInfo info;
        EXPECT_FALSE(load(info, writeFile(tempPath("bad.tga"), bytes))) << c[0] << " " << c[1];
        EXPECT_EQ(info.imageData, nullptr) << c[0] << " " << c[1];
    }
    ImageInfo info;
    EXPECT_FALSE(load(info, tempPath("does_not_exist.tga")) || info.imageData);
}

TEST(TGALoader, HugeHeaderInTinyFileIsRefusedBeforeAllocating) {
    // 256 MB, then 16 GB, claimed by 30-byte files: an allocation that size would raise the
    // peak virtual size of this process, which has run only small allocations so far.
    long before = vmPeakKb();
    ASSERT_GT(before, 0);
    for (int side : {8192, 65535}) {
        std::string path = writeTga(tempPath("big.tga"), side, side, 32, std::vector<uint8_t>(12, 0));
        ImageInfo info;
        std::string said;
        EXPECT_FALSE(load(info, path, &said));
        EXPECT_EQ(info.imageData, nullptr);
        EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";
        // The size is printed in full, not wrapped to 32 bits.
        EXPECT_TRUE(side != 65535 || said.find("imagesize: 17179344900\n") != std::string::npos);
    }
}
