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

// A loaded image, freed with the test.
struct Loaded {
    ImageInfo info;
    bool ok;
    explicit Loaded(const std::string& path) : ok(load(info, path)) {}
    ~Loaded() { free(ok ? info.imageData : nullptr); }
    std::vector<uint8_t> bytes(size_t n) const { return {info.imageData, info.imageData + n}; }
};

TEST(TGALoader, TwentyFourBitPixelsArriveAsRedGreenBlue) {
    Loaded rgb(writeTga(tempPath("rgb.tga"), 2, 1, 24, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(rgb.ok);
    EXPECT_EQ(rgb.info.width, 2u);
    EXPECT_EQ(rgb.info.height, 1u);
    EXPECT_EQ(rgb.info.bpp, 24u);
    EXPECT_EQ(rgb.bytes(6), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST(TGALoader, ThirtyTwoBitPixelsKeepAlphaLast) {
    Loaded rgba(writeTga(tempPath("rgba.tga"), 2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80}));
    ASSERT_TRUE(rgba.ok);
    EXPECT_EQ(rgba.info.bpp, 32u);
    EXPECT_EQ(rgba.bytes(8), (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(TGALoader, SizesAreLittleEndian) {
    std::vector<uint8_t> pixels(258 * 3, 7);
    Loaded wide(writeTga(tempPath("wide.tga"), 258, 1, 24, pixels));  // width bytes 2, 1
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(wide.info.width, 258u);
}

TEST(TGALoader, RowsStayInFileOrderWhateverTheFlagsAndTheTrailer) {
    std::vector<uint8_t> flagged = tgaHeader(1, 2, 24);
    flagged[17] = 0x20;  // the top-down flag is ignored
    flagged.insert(flagged.end(), {1, 1, 1, 9, 9, 9, 'f', 'o', 'o', 't'});
    Loaded rows(writeFile(tempPath("rows.tga"), flagged));
    ASSERT_TRUE(rows.ok);
    EXPECT_EQ(rows.bytes(6), (std::vector<uint8_t>{1, 1, 1, 9, 9, 9}));
}

TEST(TGALoader, TheScenesImagesLoadAtTheirSizesAndDepths) {
    const struct { const char* path; unsigned side, bpp; } images[] = {
        {"tga/ground3.tga", 256, 24}, {"tga/ground4.tga", 256, 24}, {"tga/clouds3.tga", 256, 24},
        {"tga/clouds2.tga", 256, 24}, {"tga/moon.tga", 128, 32},    {"tga/fire3.tga", 64, 32},
        {"tga/spark1.tga", 32, 32}};
    for (const auto& image : images) {
        SCOPED_TRACE(image.path);
        Loaded l(image.path);
        ASSERT_TRUE(l.ok);
        EXPECT_EQ(l.info.width, image.side);
        EXPECT_EQ(l.info.height, image.side);
        EXPECT_EQ(l.info.bpp, image.bpp);
    }
}

// Each file is a 2x2 32-bit image with exactly its pixels, but for one change.
TEST(TGALoader, RejectedFilesLeaveNoBuffer) {
    const struct { const char* what; int at; int value; } changed[] = {
        {"run-length type", 2, 10},      {"colour-mapped type", 2, 1}, {"an id field", 0, 1},
        {"a colour map", 1, 1},          {"colour map length", 6, 1},  {"colour map entry", 7, 24},
        {"x origin", 8, 1},              {"y origin", 10, 5},          {"8 bits", 16, 8},
        {"16 bits", 16, 16},             {"zero width", 12, 0},        {"zero height", 14, 0}};
    const struct { const char* what; size_t length; } cut[] = {
        {"empty", 0}, {"in the header", 5}, {"before the size", 12}, {"without the descriptor byte", 17},
        {"one pixel byte short", 33}};
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    for (const auto& c : changed) {
        std::vector<uint8_t> bytes = tgaHeader(2, 2, 32);
        bytes.resize(18 + 16, 50);
        bytes[c.at] = (uint8_t)c.value;
        files.push_back({c.what, bytes});
    }
    for (const auto& c : cut) {
        std::vector<uint8_t> bytes = tgaHeader(2, 2, 32);
        bytes.resize(c.length, 50);
        files.push_back({c.what, bytes});
    }
    for (const auto& f : files) {
        ImageInfo info;
        EXPECT_FALSE(load(info, writeFile(tempPath("bad.tga"), f.second))) << f.first;
        EXPECT_EQ(info.imageData, nullptr) << f.first;
    }
}

TEST(TGALoader, AMissingFileLeavesNoBuffer) {
    ImageInfo info;
    EXPECT_FALSE(load(info, tempPath("does_not_exist.tga")));
    EXPECT_EQ(info.imageData, nullptr);
}

TEST(TGALoader, HugeHeaderInTinyFileIsRefusedBeforeAllocating) {
    // 256 MB, then 16 GB, claimed by 22-byte files: an allocation that size would raise the
    // peak virtual size of this process, which has run only small allocations so far.
    long before = vmPeakKb();
    ASSERT_GT(before, 0);
    for (int side : {8192, 65535}) {
        SCOPED_TRACE(side);
        ImageInfo info;
        EXPECT_FALSE(load(info, writeTga(tempPath("big.tga"), side, side, 32, {1, 2, 3, 4})));
        EXPECT_EQ(info.imageData, nullptr);
        EXPECT_LT(vmPeakKb() - before, 64 * 1024) << "a buffer was allocated for a file too short";
    }
}
