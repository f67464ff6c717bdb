// End-to-end: every image the program reads, broken in every way, ends it cleanly with status 1.
#include "support/process.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using testproc::quote;
using Bytes = std::vector<uint8_t>;

namespace {
const char* const kImages[] = {"ground3", "ground4", "clouds3", "clouds2", "moon", "fire3", "spark1"};
const struct {
    const char* name;
    void (*apply)(Bytes& bytes);  // null: the file is removed
} kBreakages[] = {
    {"missing", nullptr},
    {"empty", [](Bytes& b) { b.clear(); }},
    {"truncated", [](Bytes& b) { b.resize(18 + (b.size() - 18) / 2); }},
    {"run-length", [](Bytes& b) { b[2] = 10; }},
    {"16-bit", [](Bytes& b) { b[16] = 16; }},
    {"oversized header", [](Bytes& b) {  // 65535 x 65535 promised, 12 bytes given
         b[12] = b[13] = b[14] = b[15] = 0xff;
         b.resize(30);
     }}};
class BrokenImage : public ::testing::TestWithParam<const char*> {};
}  // namespace

TEST_P(BrokenImage, EveryBreakageEndsWithTheMessagesAndStatusOne) {
    const std::string image = GetParam(), file = "tga/" + image + ".tga";
    const std::string expected = image == "ground3"
                                     ? "Could not load height image file!!\n"
                                     : "Texture: Could not load image file " + file + "!!\n";
    for (const auto& breakage : kBreakages) {
        SCOPED_TRACE(std::string(breakage.name) + " " + file);
        // A copy of the project's images in a fresh directory, the program's working directory.
        std::string dir = testproc::makeTempDir(), path = dir + "/" + file;
        testproc::runShell("cp -r " + quote(std::string(QORVEL_SOURCE_DIR) + "/tga") + " " +
                           quote(dir + "/tga"));
        std::ifstream in(path, std::ios::binary);
        Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_GT(bytes.size(), 18u);
        std::remove(path.c_str());
        if (breakage.apply != nullptr) {
            breakage.apply(bytes);
            tgatest::writeFile(path, bytes);
        }
        // The night sky is only read when "7" is pressed.
        testproc::Result r = testproc::runProgramWithKeys(dir, image == "clouds2" ? "7 Escape" : "Escape");
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_TRUE(r.output.find("Attepting to open file: " + file + "\n") != std::string::npos &&
                    r.output.find(expected) != std::string::npos &&
                    r.output.find("Sanitizer") == std::string::npos &&
                    r.output.find("runtime error") == std::string::npos) << r.output;
        testproc::runShell("rm -rf " + quote(dir));
    }
}

INSTANTIATE_TEST_SUITE_P(AllImages, BrokenImage, ::testing::ValuesIn(kImages),
                         [](const auto& info) { return std::string(info.param); });

TEST(BrokenImage, NoImageFolderAtAll) {
    std::string dir = testproc::makeTempDir();
    testproc::Result r = testproc::runProgramWithKeys(dir, "Escape");
    EXPECT_TRUE(r.status == 1 && r.output.find("Attepting to open file: tga/ground3.tga\n") !=
                                     std::string::npos &&
                r.output.find("Could not load height image file!!\n") != std::string::npos)
        << r.output;
    testproc::runShell("rm -rf " + quote(dir));
}
