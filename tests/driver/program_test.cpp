// End-to-end: the real program under an X display of its own, driven by real key events, and
// ended cleanly by an image it cannot read.
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

using testproc::quote;

TEST(Program, PrintsEachLineAtOnceIntoAPipeAndFollowsRealKeys) {
    // The program's output goes through a pipe into a file, read while its window is still up.
    // Then real key events (driven by X: the keys reaching the window is what it checks):
    // lower-case letters are other commands, so only "C" jumps; Escape quits. Keys act at the
    // next frame and Escape drops those still waiting: it comes once the capture shows Q handled.
    std::string cmd =
        testproc::waitHelpers() + "cd " + quote(QORVEL_BINARY_DIR) + " || exit 1; " +
        "log=$(mktemp); cap=$(mktemp -d)/session; " +
        "{ set -o pipefail; timeout 60 " + quote(testproc::programPath()) +
        " --capture \"$cap\" | cat > \"$log\"; } & pipeline=$!; " +
        "win=$(xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1); " +
        "wait_for grep -q 'Window Size' \"$log\"; " +
        "kill -0 $pipeline && echo \"running, lines so far:\" && cat \"$log\"; " +
        "xdotool key --window \"$win\" c w C W Q; wait_for_line \"$cap\" 'key 81'; " +
        "xdotool key --window \"$win\" Escape; " +
        "wait $pipeline; echo \"status $?\"; cat \"$log\"; rm -r \"$log\" \"${cap%/*}\"";
    const std::string out = testproc::runShell(testproc::onOwnDisplay(cmd)).output;
    EXPECT_NE(out.find("running, lines so far:\nAttepting to open file: tga/ground3.tga"),
              std::string::npos) << out;
    EXPECT_NE(out.find("Window Size: 800 by 800\n"), std::string::npos) << out;
    EXPECT_NE(out.find("F1: keys and help, Escape: quit\n"), std::string::npos) << out;
    const size_t status = out.find("status 0\n"), jump = out.find("Jump!\n", status);
    ASSERT_NE(status, std::string::npos) << out;
    ASSERT_NE(jump, std::string::npos) << out;
    EXPECT_EQ(out.find("Jump!", jump + 1), std::string::npos) << "one jump only\n" << out;
}

using testproc::TempDir;

// Every image is read from the folder --data names; each way a file can be broken is the
// loader's own tests' concern. Here: the progress line stays on standard output and the reason
// comes on standard error, in one line.
TEST(Program, AnUnreadableImageEndsItWithStatusOneAndItsReasonOnStandardError) {
    struct Case {
        const char* spoil;  // run in the copied image folder
        const char* file;
        const char* cause;
        const char* progress;  // the last line on standard output
    };
    const Case cases[] = {
        {"rm ground3.tga", "ground3.tga", "No such file or directory",
         "Could not load height image file!!"},
        {"truncate -s 1000 moon.tga", "moon.tga", "cut short at byte 1000",
         "Texture: Could not load image file images/moon.tga!!"},
        {"printf '\\012' | dd of=clouds3.tga bs=1 seek=2 conv=notrunc", "clouds3.tga",
         "run-length compressed", "Texture: Could not load image file images/clouds3.tga!!"}};
    for (const Case& c : cases) {
        TempDir tmp;
        const std::string images = tmp.path + "/images";
        ASSERT_EQ(testproc::runShell("cp -r " + quote(std::string(QORVEL_BINARY_DIR) + "/tga") +
                                     " " + quote(images) + " && cd " + quote(images) + " && " +
                                     c.spoil).status, 0) << c.spoil;
        testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
            "cd " + quote(tmp.path) + " && timeout 60 " + quote(testproc::programPath()) +
            " --frames 3 --data images >out"));
        EXPECT_EQ(r.status, 1) << c.spoil;
        EXPECT_EQ(r.output, "quorvel: cannot read image 'images/" + std::string(c.file) +
                                "': " + c.cause + "\n");
        EXPECT_EQ(testproc::runShell("tail -n 1 " + quote(tmp.path + "/out")).output,
                  std::string(c.progress) + "\n");
    }
}

// ---- The command line, installed copies and reproducible pictures -------------------------
namespace {
std::string program() { return quote(testproc::programPath()); }

// The program with the arguments on a display of its own, from the given folder.
testproc::Result runFrom(const std::string& dir, const std::string& args) {
    return testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(dir) + " && timeout 120 " + program() + " " + args));
}

// The same with no X server at all, for what needs only the pictures and the output.
testproc::Result runHeadlessFrom(const std::string& dir, const std::string& args) {
    return testproc::runShell("cd " + quote(dir) + " && env -u DISPLAY timeout 120 " + program() +
                              " --headless " + args);
}

}  // namespace

TEST(ProgramCommandLine, HelpNeedsNoDisplayAndNamesEveryOptionWithItsDefault) {
    testproc::Result r = testproc::runShell("env -u DISPLAY " + program() + " --help");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.rfind("Usage: quorvel [OPTION]...", 0), 0u) << r.output;
    for (const char* option : {"--size WxH", "default 800x800", "--frames N", "--screenshot FILE",
                               "--record DIR", "--seed N", "--step SECONDS", "--data DIR",
                               "--max-fps N", "--stats"})
        EXPECT_NE(r.output.find(option), std::string::npos) << option;
}

TEST(ProgramCommandLine, VersionNeedsNoDisplay) {
    testproc::Result r = testproc::runShell("env -u DISPLAY " + program() + " --version");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, std::string("quorvel ") + QORVEL_VERSION + "\n");
}

// Each bad option's message is the command line's own tests' concern; here, where it goes.
TEST(ProgramCommandLine, ABadValueEndsWithStatusTwoAndTheHintOnStandardError) {
    // Standard output is thrown away: everything shown must come on standard error.
    const struct { const char* args; const char* error; } cases[] = {
        {"--size 12", "quorvel: invalid value '12' for --size"},
        {"--frames 2 --seed", "quorvel: option '--seed' requires an argument"}};
    for (const auto& c : cases) {
        testproc::Result r =
            testproc::runShell("env -u DISPLAY " + program() + " " + c.args + " >/dev/null");
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_EQ(r.output.rfind(c.error, 0), 0u) << r.output;
        EXPECT_NE(r.output.find("\nTry 'quorvel --help'.\n"), std::string::npos) << r.output;
    }
}

TEST(ProgramCommandLine, AnImageItCannotReadOrAPictureItCannotWriteEndsWithStatusOne) {
    TempDir tmp;
    ASSERT_EQ(testproc::runShell("touch " + quote(tmp.path + "/file")).status, 0);
    const struct { std::string args, says; } failures[] = {
        {"--data " + quote(tmp.path), "Could not load height image file!!\n"},
        {"--screenshot " + quote(tmp.path + "/no/x.png"), "quorvel: cannot write '"},
        {"--record " + quote(tmp.path + "/file"), "quorvel: cannot record into '"}};
    for (const auto& f : failures) {
        testproc::Result r = runHeadlessFrom(tmp.path, "--size 64x64 --frames 2 " + f.args);
        EXPECT_EQ(r.status, 1) << f.args << "\n" << r.output;
        EXPECT_NE(r.output.find(f.says), std::string::npos) << r.output;
    }
}

TEST(ProgramCommandLine, StatsPrintsTheFramesCostWhenItEnds) {
    TempDir tmp;
    testproc::Result r = runHeadlessFrom(tmp.path, "--size 64x64 --frames 5 --stats");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(std::regex_search(r.output, std::regex("\n5 frames: [0-9.]+ frames per second, "
                                                       "[0-9.]+ ms CPU per frame \\([0-9.]+ ms "
                                                       "system\\), [0-9.]+ page faults per frame\n")))
        << r.output;
}

TEST(ProgramCommandLine, APictureWhoseWidthIsNoMultipleOfFourKeepsItsRowsStraight) {
    TempDir tmp;
    ASSERT_EQ(runHeadlessFrom(tmp.path, "--seed 1 --step 0.05 --frames 20 --size 201x103 "
                                "--screenshot odd.png").status, 0);
    testpng::Picture p = testpng::readPng(tmp.path + "/odd.png");
    EXPECT_EQ(p.width, 201);
    ASSERT_EQ(p.height, 103);
    // Rows read back padded slide one byte further each: then neighbouring rows differ almost
    // everywhere, where a straight picture changes little from one row to the next.
    testpng::Picture below = p;
    below.rgb.erase(below.rgb.begin(), below.rgb.begin() + 3 * p.width);
    EXPECT_LT(testpng::changedShare(p, below, {0, 0, 201, 102}), 0.2);
}

TEST(ProgramCommandLine, QuietPrintsNothingOnStandardOutput) {
    TempDir tmp;
    for (const char* quiet : {"--quiet", "-q"}) {
        testproc::Result r =
            runHeadlessFrom(tmp.path, std::string(quiet) + " --frames 30 2>/dev/null");
        EXPECT_EQ(r.status, 0) << quiet;
        EXPECT_EQ(r.output, "") << quiet;
    }
}

TEST(ProgramCommandLine, TheWindowTakesTheSizeOfGeometryOrTheSmallestSize) {
    struct Case {
        const char* size;
        int width, height;
    };
    for (const Case& c : {Case{"-geometry 300x200+10+10", 300, 200}, Case{"--size 2x2", 2, 2}}) {
        TempDir tmp;
        EXPECT_EQ(runFrom(tmp.path, c.size + std::string(" --frames 3 --screenshot s.png")).status,
                  0) << c.size;
        testpng::Picture shot = testpng::readPng(tmp.path + "/s.png");
        EXPECT_EQ(shot.width, c.width) << c.size;
        EXPECT_EQ(shot.height, c.height) << c.size;
    }
}

TEST(ProgramCommandLine, MovedInstallRunsFromAnotherFolderAndWritesItsPicture) {
    TempDir tmp;
    testproc::Result installed = testproc::runShell(
        "cmake --install " + quote(QORVEL_BINARY_DIR) + " --prefix " + quote(tmp.path + "/a"));
    ASSERT_EQ(installed.status, 0) << installed.output;
    ASSERT_EQ(testproc::runShell("mv " + quote(tmp.path + "/a") + " " + quote(tmp.path + "/b"))
                  .status, 0);
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
        "cd / && timeout 120 " + quote(tmp.path + "/b/bin/quorvel") +
        " --frames 3 --screenshot " + quote(tmp.path + "/shot.png")));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find(tmp.path + "/b/share/quorvel/ground3.tga"), std::string::npos)
        << r.output;
    testpng::Picture shot = testpng::readPng(tmp.path + "/shot.png");
    EXPECT_EQ(shot.width, 800);
    EXPECT_EQ(shot.height, 800);
}

TEST(ProgramCommandLine, SameSeedAndStepRecordTheSameFramesInAnotherSecond) {
    TempDir tmp;
    // 20 frames of 0.1 s: the figures land and the fire is reborn many times over. The second
    // run starts in another second of the clock, which nothing may draw from.
    const std::string args = "--seed 5 --size 240x240 --frames 20 --step 0.1 --record ";
    ASSERT_EQ(runHeadlessFrom(tmp.path, args + "first").status, 0);
    ASSERT_EQ(testproc::runShell(testproc::waitHelpers() + "ended=$(date +%s); " +
                                 "wait_for eval '[ \"$(date +%s)\" != $ended ]'").status, 0);
    ASSERT_EQ(runHeadlessFrom(tmp.path, args + "second").status, 0);
    EXPECT_EQ(testproc::runShell("ls " + quote(tmp.path + "/first") + " | wc -l").output, "20\n");
    EXPECT_EQ(testproc::runShell("ls " + quote(tmp.path + "/first") + " | head -n 1").output,
              "frame-000001.png\n");
    EXPECT_EQ(testproc::runShell("cd " + quote(tmp.path) + " && diff -r first second").status, 0);
}

TEST(ProgramCommandLine, StepMakesEachFrameTheSameStretchOfSceneTime) {
    TempDir tmp;
    // 44 frames of a quarter second are 11 s of scene time, whatever the wall clock says: the
    // fireworks, relaunched every 10 s, load their sprite a second time.
    testproc::Result r = runHeadlessFrom(tmp.path, "--size 64x64 --frames 44 --step 0.25");
    size_t loads = 0;
    for (size_t at = r.output.find("spark1.tga\n"); at != std::string::npos;
         at = r.output.find("spark1.tga\n", at + 1))
        loads++;
    EXPECT_EQ(loads, 2u) << r.output;
}

TEST(ProgramCommandLine, AnotherSeedDrawsAnotherPicture) {
    TempDir tmp;
    const std::string args = " --size 240x240 --frames 20 --step 0.1 --screenshot ";
    ASSERT_EQ(runHeadlessFrom(tmp.path, "--seed 5" + args + "five.png").status, 0);
    ASSERT_EQ(runHeadlessFrom(tmp.path, "--seed 6" + args + "six.png").status, 0);
    EXPECT_NE(testproc::runShell("cd " + quote(tmp.path) + " && cmp five.png six.png").status, 0);
}

namespace {
// Pixels of the keyboard figure's blue-grey where it stands in the start view, below the fire:
// grass has more green and earth more red, and the standing figure covers thousands of pixels.
int greyFigurePixels(const testpng::Picture& p) {
    int n = 0;
    for (int y = 640; y < 800; y++)
        for (int x = 270; x < 400; x++) {
            const unsigned char* c = &p.rgb[((size_t)y * p.width + x) * 3];
            const int r = c[0], g = c[1], b = c[2];
            n += g <= r + 8 && g <= b + 8 && std::abs(r - b) < 30 && std::max({r, g, b}) > 40;
        }
    return n;
}
}  // namespace

TEST(ProgramStall, AFigureStoppedInTheAirLandsWhenTheProgramGoesOn) {
    TempDir tmp;
    // Landed, then a jump, and a fifth of a second into it a frame five seconds after the one
    // before, as a stopped process sees when it goes on. Played from a capture, headless and
    // so not paced: the program's answer to the gap is what counts, not how long the machine
    // took over it. Three seconds later the keyboard figure stands again.
    std::ofstream(tmp.path + "/stall")
        << "quorvel-capture 1\nseed 1\nsize 800 800\nframes 60 0.05\nframe 0.05\nkey 67\n"
           "frames 4 0.05\nframe 5.000000\nframes 60 0.05\nend\n";
    testproc::Result r =
        runHeadlessFrom(tmp.path, "--replay stall --screenshot stall.png >/dev/null");
    EXPECT_EQ(r.status, 0) << r.output;
    testpng::Picture shot = testpng::readPng(tmp.path + "/stall.png");
    ASSERT_TRUE(shot.read) << r.output;
    EXPECT_GT(greyFigurePixels(shot), 1000);
}
