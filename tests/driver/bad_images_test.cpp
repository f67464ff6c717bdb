// End-to-end: every image the program reads, broken in every way, ends it cleanly with status 1.
#include "support/process.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using testproc::quote;

namespace {

const char* const kImages[] = {"ground3", "ground4", "clouds3", "clouds2",
                               "moon",    "fire3",   "spark1"};

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A copy of the project's images in a fresh directory, the program's working directory.
std::string sceneCopy() {
    std::string dir = testproc::makeTempDir();
    testproc::runShell("cp -r " + quote(std::string(QORVEL_SOURCE_DIR) + "/tga") + " " +
                       quote(dir + "/tga"));
    return dir;
}

// Runs the program in `dir`; the night sky is only read when "7" is pressed.
testproc::Result runScene(const std::string& dir, bool pressSeven) {
    return testproc::runProgramWithKeys(dir, pressSeven ? "7 Escape" : "Escape");
}

struct Breakage {
    const char* name;
    void (*apply)(std::vector<uint8_t>& bytes);  // null: the file is removed
};

void makeEmpty(std::vector<uint8_t>& b) { b.clear(); }
void truncateInPixels(std::vector<uint8_t>& b) { b.resize(18 + (b.size() - 18) / 2); }
void makeRunLength(std::vector<uint8_t>& b) { b[2] = 10; }
void makeSixteenBit(std::vector<uint8_t>& b) { b[16] = 16; }
void promiseMore(std::vector<uint8_t>& b) {
    b[12] = b[13] = b[14] = b[15] = 0xff;  // 65535 x 65535
    b.resize(30);
}

const Breakage kBreakages[] = {{"missing", nullptr},          {"empty", makeEmpty},
                               {"truncated", truncateInPixels}, {"run-length", makeRunLength},
                               {"16-bit", makeSixteenBit},     {"oversized header", promiseMore}};

class BrokenImage : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(BrokenImage, EveryBreakageEndsWithTheMessagesAndStatusOne) {
    const std::string image = GetParam();
    const std::string file = "tga/" + image + ".tga";
    const std::string expected = image == "ground3"
                                     ? "Could not load height image file!!\n"
                                     : "Texture: Could not load image file " + file + "!!\n";
    for (const Breakage& breakage : kBreakages) {
        SCOPED_TRACE(std::string(breakage.name) + " " + file);
        std::string dir = sceneCopy();
        std::string path = dir + "/" + file;
        if (breakage.apply == nullptr) {
            std::remove(path.c_str());
        } else {
            std::vector<uint8_t> bytes = readFile(path);
            ASSERT_GT(bytes.size(), 18u);
            breakage.apply(bytes);
            tgatest::writeFile(path, bytes);
        }
        testproc::Result r = runScene(dir, image == "clouds2");
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_NE(r.output.find("Attepting to open file: " + file + "\n"), std::string::npos)
            << r.output;
        EXPECT_NE(r.output.find(expected), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("Sanitizer"), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("runtime error"), std::string::npos) << r.output;
        testproc::runShell("rm -rf " + quote(dir));
    }
}

INSTANTIATE_TEST_SUITE_P(AllImages, BrokenImage, ::testing::ValuesIn(kImages),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

TEST(BrokenImage, NoImageFolderAtAll) {
    std::string dir = testproc::makeTempDir();
    testproc::Result r = runScene(dir, false);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Attepting to open file: tga/ground3.tga\n"), std::string::npos);
    EXPECT_NE(r.output.find("Could not load height image file!!\n"), std::string::npos);
    testproc::runShell("rm -rf " + quote(dir));
}
