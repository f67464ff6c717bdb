// End-to-end: offline work that never waits for the screen, runs with no X server at all, and
// every way out of a run keeping the same promises.
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

using testproc::quote;
using testproc::TempDir;

namespace {
std::string program() { return quote(testproc::programPath()); }

// Shell: waits, for as long as the program `$pid` runs, until `condition` holds.
std::string waitWhileRunning(const std::string& condition) {
    return "until " + condition + "; do kill -0 $pid 2>/dev/null || break; sleep 0.01; done; ";
}

std::string output(const std::string& command) { return testproc::runShell(command).output; }
}  // namespace

TEST(OfflineRun, AHiddenOrCoveredWindowStillDrawsEveryFrameByteForByte) {
    TempDir tmp;
    // Once frame 10 is written the program is stopped, its window unmapped or covered by a
    // larger window (the X server does either without the program), and the program let go
    // again: the rest of its 60 frames are drawn unseen, however busy the machine. The covering
    // window's program is stopped once it shows, so it takes no time from the one measured.
    const std::string run =
        program() + " --seed 1 --step 0.02 --size 200x200 --frames 60 --record ";
    const std::string stopAtFrame10 = waitWhileRunning("[ -f $dir/frame-000010.png ]") +
                                      "prog=$(pgrep -P $pid); kill -STOP $prog; ";
    const std::string script =
        "cd " + quote(tmp.path) + " || exit 1; " + run + "seen >/dev/null || exit 1; " +
        "dir=unmapped; timeout 60 " + run + "$dir >/dev/null & pid=$!; " + stopAtFrame10 +
        "xdotool windowunmap --sync $(xdotool search --name '^Quorvel$' | head -n 1); " +
        "ls $dir | wc -l > $dir.at; kill -CONT $prog; wait $pid || exit 2; " +
        "dir=covered; timeout 60 " + run + "$dir >/dev/null & pid=$!; " + stopAtFrame10 +
        "timeout 60 " + program() + " --size 1000x1000 >/dev/null 2>&1 & cover=$!; " +
        waitWhileRunning("[ $(xdotool search --onlyvisible --name '^Quorvel$' | wc -l) -ge 2 ]") +
        "coverer=$(pgrep -P $cover); kill -STOP $coverer; ls $dir | wc -l > $dir.at; " +
        "kill -CONT $prog; wait $pid; status=$?; kill -KILL $coverer; exit $status";
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(script));
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char* hidden : {"unmapped", "covered"}) {
        EXPECT_LT(std::stoi(output("cat " + quote(tmp.path + "/" + hidden + ".at"))), 60) << hidden;
        EXPECT_EQ(output("ls " + quote(tmp.path + "/" + hidden) + " | wc -l"), "60\n") << hidden;
        EXPECT_EQ(testproc::runShell("diff -r " + quote(tmp.path + "/seen") + " " +
                                     quote(tmp.path + "/" + hidden)).status, 0) << hidden;
    }
}

TEST(HeadlessRun, WithNoDisplayDrawsTheWindowedRunsPicture) {
    TempDir tmp;
    const std::string args = " --seed 1 --step 0.02 --size 300x300 --frames 120 --screenshot ";
    ASSERT_EQ(testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(tmp.path) + " && " + program() + args + "window.png >/dev/null")).status, 0);
    testproc::Result r = testproc::runShell("cd " + quote(tmp.path) + " && env -u DISPLAY " +
                                            program() + " --headless" + args + "headless.png");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(testproc::runShell("cmp " + quote(tmp.path + "/window.png") + " " +
                                 quote(tmp.path + "/headless.png")).status, 0);
}

TEST(HeadlessRun, RecordsEveryFrameOfTheTour) {
    TempDir tmp;
    testproc::Result r = testproc::runShell(
        "cd " + quote(tmp.path) + " && env -u DISPLAY " + program() + " --headless --replay " +
        quote(std::string(QORVEL_SOURCE_DIR) + "/docs/tour") + " --record tour >/dev/null");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(output("ls " + quote(tmp.path + "/tour") + " | wc -l"), "150\n");
}

TEST(HeadlessRun, RefusesWhatNeedsAWindowAndNamesWhatIsMissing) {
    const struct { const char* setup; const char* args; int status; const char* says; } cases[] = {
        {"", "--headless --capture c", 2, "quorvel: --headless has no window"},
        {"", "--headless", 2, "quorvel: --headless needs --frames"},
        // No EGL driver to be found: what a machine without one says.
        {"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json", "--headless --frames 2", 1,
         "quorvel: cannot draw without a window: "},
    };
    for (const auto& c : cases) {
        TempDir tmp;
        testproc::Result r = testproc::runShell("cd " + quote(tmp.path) + " && env -u DISPLAY " +
                                                c.setup + " " + program() + " " + c.args +
                                                " >/dev/null");
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.output.rfind(c.says, 0), 0u) << c.args << ": " << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), c.status == 2 ? 2 : 1)
            << r.output;
    }
}

// Each way out of a captured run: the capture ends with 'end', the picture saved is the last
// frame drawn (the capture replayed for as many frames as --stats counted draws it again), and
// the status is the documented one. One test a way out, so each has the whole time allowed.
struct WayOutCase {
    const char* name;
    const char* args;
    std::string action;
    int status;
};

class WayOut : public testing::TestWithParam<WayOutCase> {};

TEST_P(WayOut, EndsTheCaptureSavesTheLastFrameDrawnAndCountsIt) {
    const WayOutCase& c = GetParam();
    TempDir tmp;
    const std::string script =
        "cd " + quote(tmp.path) + " && cp -r " + quote(std::string(QORVEL_BINARY_DIR) + "/tga") +
        " images && { timeout 60 " + program() + " --size 96x96 --capture cap --stats " +
        "--screenshot end.png " + c.args + " >out 2>err & pid=$!; " +
        waitWhileRunning("[ -f cap ] && [ $(grep -c '^frame' cap) -ge 5 ]") +
        "win=$(xdotool search --name '^Quorvel$' 2>/dev/null | head -n 1); { " + c.action +
        "; } 2>/dev/null; wait $pid; echo $?; }";
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(script));
    EXPECT_EQ(r.output, std::to_string(c.status) + "\n");
    EXPECT_EQ(output("tail -n 1 " + quote(tmp.path + "/cap")), "end\n");
    // The frames drawn, as --stats counts them; a frame begun but cut short by a lost image
    // is in the capture, not drawn.
    const std::string stats = output("grep -o '^[0-9]* frames: ' " + quote(tmp.path + "/out"));
    ASSERT_NE(stats, "");
    const std::string drawn = stats.substr(0, stats.find(' '));
    EXPECT_GE(std::stoi(drawn), 5);
    ASSERT_EQ(testproc::runShell("cd " + quote(tmp.path) + " && env -u DISPLAY " + program() +
                                 " --headless --replay cap --frames " + drawn +
                                 " --screenshot replay.png >/dev/null").status, 0);
    EXPECT_EQ(testproc::runShell("cmp " + quote(tmp.path + "/end.png") + " " +
                                 quote(tmp.path + "/replay.png")).status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Each, WayOut,
    testing::Values(
        WayOutCase{"Escape", "", "xdotool key --window $win Escape", 0},
        WayOutCase{"TheLastFrame", "--frames 12", ":", 0},
        WayOutCase{"TheCloseButton", "",
               quote(std::string(QORVEL_BINARY_DIR) + "/close_window") + " $win", 0},
        WayOutCase{"SIGINT", "", "kill -INT $(pgrep -P $pid)", 130},
        WayOutCase{"SIGTERM", "", "kill -TERM $(pgrep -P $pid)", 143},
        WayOutCase{"SIGTERMWhileUnmapped", "",
               "xdotool windowunmap --sync $win; kill -TERM $(pgrep -P $pid)", 143},
        // The fireworks load their image again every 40 frames of a quarter second.
        WayOutCase{"AnImageLostMidRun", "--data images --step 0.25 --max-fps 40",
               "rm images/spark1.tga", 1}),
    [](const testing::TestParamInfo<WayOutCase>& info) { return std::string(info.param.name); });

// A capture that the file system stops taking (a file-size limit here) ends the run there,
// with its reason, the picture and the figures still saved. Standard output goes through a
// pipe, which the limit does not cover: the figures come after as much chatter as the build
// folder's path makes.
TEST(WaysOut, ACaptureThatCannotBeWrittenEndsTheRunWithStatusOne) {
    TempDir tmp;
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(tmp.path) + " && { trap '' XFSZ && ulimit -f 2 && timeout 60 " +
        program() + " --size 8x8 --capture cap --stats --screenshot end.png 2>err; " +
        "echo $? >status; } | cat >out; cat status"));
    EXPECT_EQ(r.output, "1\n");
    EXPECT_EQ(output("cat " + quote(tmp.path + "/err")),
              "quorvel: cannot write 'cap': File too large\n");
    EXPECT_NE(output("grep -c ' frames: ' " + quote(tmp.path + "/out")), "0\n");
    EXPECT_EQ(testpng::readPng(tmp.path + "/end.png").width, 8);
}
