// Loader tests: the one accepted header, byte order, and rejected files.
#include "TGALoader.h"
#include "support/fakes.h"
#include "support/tga_writer.h"

#include <cstdlib>

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
}  // namespace

// A loaded image, freed with the test.
struct Loaded {
    ImageInfo info;
    bool ok;
    explicit Loaded(const std::string& path) : ok(load(info, path)) {}
    ~Loaded() { free(ok ? info.imageData : nullptr); }
    std::vector<uint8_t> bytes(size_t n) const { return {info.imageData, info.imageData + n}; }
};

// File bytes are blue, green, red (, alpha); a width of 258 is stored as 2, 1.
TEST(TGALoader, PixelsArriveAsRedGreenBlueWithAlphaLastAtLittleEndianSizes) {
    const struct { int width, depth; std::vector<uint8_t> file, want; } cases[] = {
        {2, 24, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}},
        {2, 32, {10, 20, 30, 40, 50, 60, 70, 80}, {30, 20, 10, 40, 70, 60, 50, 80}},
        {258, 24, std::vector<uint8_t>(258 * 3, 7), std::vector<uint8_t>(258 * 3, 7)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " pixels of " << c.depth << " bits");
        Loaded l(writeTga(tempPath("row.tga"), c.width, 1, c.depth, c.file));
        ASSERT_TRUE(l.ok);
        EXPECT_EQ(l.info.width, (unsigned)c.width);
        EXPECT_EQ(l.info.height, 1u);
        EXPECT_EQ(l.info.bpp, (unsigned)c.depth);
        EXPECT_EQ(l.bytes(c.want.size()), c.want);
    }
}

// Each file is a 2x2 32-bit image with exactly its pixels, but for one change; and no file.
TEST(TGALoader, RejectedFilesLeaveNoBuffer) {
    const struct { const char* what; int at; int value; } changed[] = {
        {"run-length type", 2, 10}, {"an id field", 0, 1},    {"a colour map", 1, 1},
        {"colour map entry", 7, 24}, {"y origin", 10, 5},     {"16 bits", 16, 16},
        {"zero width", 12, 0},      {"zero height", 14, 0}};
    const struct { const char* what; size_t length; } cut[] = {
        {"empty", 0}, {"before the size", 12}, {"one pixel byte short", 33}};
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
    files.push_back({"missing", {}});
    for (const auto& f : files) {
        ImageInfo info;
        std::string path = f.first == "missing" ? tempPath("does_not_exist.tga")
                                                : writeFile(tempPath("bad.tga"), f.second);
        EXPECT_FALSE(load(info, path)) << f.first;
        EXPECT_EQ(info.imageData, nullptr) << f.first;
    }
}
