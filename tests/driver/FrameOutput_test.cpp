// Frame output end to end: pictures and recordings never harm what was there, every way out
// saves the final picture, and a recording that cannot go on ends the run.
#include "FrameOutput.h"
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <regex>

using testproc::quote;
using testproc::TempDir;

namespace {
// The program in `dir` on a display of its own.
testproc::Result run(const std::string& dir, const std::string& args) {
    return testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(dir) + " && timeout 60 " + quote(testproc::programPath()) + " " + args));
}
}  // namespace

TEST(FrameOutput, AScreenshotOntoADeviceOrAFifoIsRefusedAndTheNodeStays) {
    struct Case {
        const char *make, *node, *still, *cause;  // make the node; the test that it is still there
    };
    for (const Case& c : {Case{"true", "/dev/full", "test -c /dev/full", "is a device, not a file"},
                          Case{"mkfifo node", "node", "test -p node", "is a FIFO, not a file"}}) {
        TempDir tmp;
        ASSERT_EQ(testproc::runShell("cd " + quote(tmp.path) + " && " + c.make).status, 0);
        testproc::Result r = run(tmp.path, "--frames 3 --screenshot " + std::string(c.node));
        EXPECT_EQ(r.status, 1) << c.node;
        EXPECT_EQ(r.output, "quorvel: cannot write '" + std::string(c.node) + "': " + c.cause + "\n");
        EXPECT_EQ(testproc::runShell("cd " + quote(tmp.path) + " && " + c.still).status, 0);
    }
}

TEST(FrameOutput, AMissingScreenshotFolderIsRefusedBeforeTheWindowOpens) {
    TempDir tmp;
    // No display at all: only a refusal before the window is made can end with this message.
    testproc::Result r = testproc::runShell(
        "cd " + quote(tmp.path) + " && env -u DISPLAY " + quote(testproc::programPath()) +
        " --frames 100000 --screenshot nodir/x.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "quorvel: cannot write 'nodir/x.png': No such file or directory\n");
}

TEST(FrameOutput, ARecordFolderHoldingFramesIsRefusedAndKeptAsItWas) {
    TempDir tmp;
    const std::string rec = quote(tmp.path + "/rec");
    const std::string before = "frame-000001.png:old 1\nframe-000007.png:old 7\n";
    const std::string listing = "cd " + rec + " && grep -r . | sort";
    ASSERT_EQ(testproc::runShell("mkdir " + rec + " && cd " + rec + " && echo old 1 > " +
                                 "frame-000001.png && echo old 7 > frame-000007.png").status, 0);
    testproc::Result r = run(tmp.path, "--size 64x64 --frames 3 --record rec");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(testproc::runShell(listing).output, before);
}

TEST(FrameOutput, AFrameThatCannotBeWrittenEndsTheRunWithStatusOne) {
    TempDir tmp;
    // No file may grow past a kilobyte, less than any frame, and the signal that limit sends
    // is ignored, so the write fails as on a full disk. The folder itself takes new files.
    // Of the 50 frames asked for, none is drawn after the one that could not be written.
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
        "cd " + quote(tmp.path) + " && trap '' XFSZ && ulimit -f 1 && timeout 60 " +
        quote(testproc::programPath()) + " --size 64x64 --frames 50 --record full --stats"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("quorvel: cannot write 'full/frame-000001.png': File too large\n"),
              std::string::npos) << r.output;
    std::smatch drawn;
    ASSERT_TRUE(std::regex_search(r.output, drawn, std::regex("\n([0-9]+) frames: "))) << r.output;
    EXPECT_LE(std::stoi(drawn[1]), 1) << r.output;
    EXPECT_EQ(testproc::runShell("ls -A " + quote(tmp.path + "/full")).output, "")
        << "no part of a frame is left behind";
}

TEST(FrameOutput, TheCloseButtonAndEndSignalsSaveTheFinalPicture) {
    struct Case {
        std::string action;
        int status;
    };
    const Case cases[] = {
        {quote(std::string(QORVEL_BINARY_DIR) + "/close_window") + " \"$win\"", 0},
        {"kill -TERM $(pgrep -P $pid)", 143},
        {"kill -INT $(pgrep -P $pid)", 130}};
    // The capture writes a frame's line as the frame begins, and the program takes a signal or
    // the close button only between frames: from the first line on there is a frame to save.
    const std::string ready = "wait_for frames_reach session 1; ";
    for (const Case& c : cases) {
        TempDir tmp;
        testproc::Result r =
            testproc::runProgramWithActions(tmp.path, "--screenshot end.png --capture session",
                                            ready + c.action);
        EXPECT_EQ(r.status, c.status) << c.action << "\n" << r.output;
        EXPECT_EQ(testpng::readPng(tmp.path + "/end.png").width, 800) << c.action;
    }
}

// Six digits as before, or as many as the run's last frame has; an open-ended run stops
// recording where its names would no longer sort.
TEST(FrameOutput, RecordedFrameNamesSortInFrameOrder) {
    EXPECT_EQ(recordedFrameName(999999, 0), "frame-999999.png");
    EXPECT_EQ(recordedFrameName(1000000, 0), "");
    EXPECT_EQ(recordedFrameName(7, 1000000), "frame-0000007.png");
}
