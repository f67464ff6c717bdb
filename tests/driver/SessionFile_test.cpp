// The capture file on its own: each way a file can be bad, named with its line; a hand-written
// file read as meant; and what the writer writes read back exactly, line by line as it goes.
#include "SessionFile.h"

#include "support/process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
const std::string HEAD = "quorvel-capture 1\nseed 7\nsize 320 240\n";

std::vector<int> valuesOf(const SessionEvent& e) { return {e.values, e.values + 4}; }

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

TEST(SessionFile, EachKindOfBadFileIsNamedWithItsLine) {
    const struct { const char* what; std::string text; int line; const char* says; } cases[] = {
        {"empty", "", 1, "empty file"},
        {"another format", "P6\n", 1, "not a capture"},
        {"unknown version", "quorvel-capture 2\n", 1, "format version 2 is not known"},
        {"event before frame 1", HEAD + "key 87\nframe 0.1\n", 4, "'key' before the first frame"},
        {"no size", "quorvel-capture 1\nseed 1\nframe 0.1\n", 3, "before the seed and the size"},
        {"one pixel high", "quorvel-capture 1\nsize 8 1\n", 2, "each from 2 to 16384"},
        {"truncated last line", HEAD + "frame 0.1\nkey 8", 5, "cut short"},
        {"unknown record", HEAD + "frame 0.1\njump 3\n", 5, "unknown record 'jump'"},
        {"key beyond 255", HEAD + "frame 0.1\nkey 256\n", 5, "expected 'key CODE"},
        {"value missing", HEAD + "frame 0.1\nmouse 0 0 5\n", 5, "expected 'mouse BUTTON"},
        {"value too many", HEAD + "frame 0.1\nmotion 1 2 3\n", 5, "expected 'motion X Y'"},
        {"not a number", HEAD + "frame 0.1\nreshape 8 x\n", 5, "expected 'reshape"},
        {"reshape to nothing", HEAD + "frame 0.1\nreshape 0 0\n", 5, "each 2 to 16384"},
        {"reshape to a pixel", HEAD + "frame 0.1\nreshape 1 1\n", 5, "each 2 to 16384"},
        {"reshape too wide", HEAD + "frame 0.1\nreshape 16385 2\n", 5, "each 2 to 16384"},
        {"seven decimals", HEAD + "frame 0.0166667\n", 4, "at most six decimals"},
        {"negative step", HEAD + "frame -0.1\n", 4, "expected 'frame SECONDS'"},
        {"step over an hour", HEAD + "frame 3600.000001\n", 4, "expected 'frame SECONDS'"},
        {"carriage return", HEAD + "frames 2 0.1\r\n", 4, "expected 'frames COUNT SECONDS'"},
        {"seed twice", HEAD + "seed 8\n", 4, "'seed' given twice"},
        {"size late", HEAD + "frame 0\nsize 9 9\n", 5, "'size' after the first frame"},
        {"after the end", HEAD + "frame 0.1\nend\nframe 0.1\n", 6, "'frame' after 'end'"},
        {"over a billion frames", HEAD + "frames 999999999 0\nframes 2 0\n", 5, "more than"},
    };
    for (const auto& c : cases) {
        Session session;
        int line = 0;
        std::string error;
        EXPECT_FALSE(parseSession(c.text, session, line, error)) << c.what;
        EXPECT_EQ(line, c.line) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
}

TEST(SessionFile, HandWrittenFileKeepsCommentsOutAndRunsTogether) {
    Session s;
    int line = 0;
    std::string error;
    ASSERT_TRUE(parseSession("quorvel-capture 1\n# the tour\nseed 1\n\nsize 8 9\nframes 3 0.1\n"
                             "  key\t67\nframe 2.5\nend\n# done\n", s, line, error)) << error;
    ASSERT_EQ(s.frames.size(), 2u);
    EXPECT_EQ(s.frames[0].count, 3);
    EXPECT_EQ(s.frames[0].stepTicks, 100000);
    ASSERT_EQ(s.frames[0].events.size(), 1u);
    EXPECT_EQ(valuesOf(s.frames[0].events[0]), (std::vector<int>{67, 0, 0, 0}));
    EXPECT_EQ(s.frames[1].stepTicks, 2500000);
    EXPECT_EQ(s.frameCount, 4);
    EXPECT_TRUE(s.ended);
}

TEST(SessionFile, WhatTheWriterWritesReadsBackExactly) {
    testproc::TempDir dir;
    const std::string path = dir.path + "/session";
    const int64_t steps[] = {0, 1, 16667, 250000, SESSION_MAX_STEP_TICKS};
    const SessionEvent events[] = {{EVENT_KEY, {255}}, {EVENT_SPECIAL, {11}},
                                   {EVENT_MOUSE, {3, 1, -5, 900}},
                                   {EVENT_MOTION, {-1000000, 1000000}}, {EVENT_RESHAPE, {2, 16384}}};
    SessionWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open(path, 4294967295u, error)) << error;
    ASSERT_TRUE(writer.size(1024, 768));
    for (int i = 0; i < 5; i++) {
        ASSERT_TRUE(writer.frame(steps[i]));
        ASSERT_TRUE(writer.event(events[i]));
    }
    Session s;
    ASSERT_TRUE(readSessionFile(path, s, error)) << "unfinished, as a crash leaves it: " << error;
    EXPECT_FALSE(s.ended);
    ASSERT_TRUE(writer.end());
    ASSERT_TRUE(readSessionFile(path, s, error)) << error;
    EXPECT_TRUE(s.ended);
    EXPECT_EQ(s.seed, 4294967295u);
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);
    ASSERT_EQ(s.frames.size(), 5u);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(s.frames[i].stepTicks, steps[i]);
        ASSERT_EQ(s.frames[i].events.size(), 1u);
        EXPECT_EQ(s.frames[i].events[0].kind, events[i].kind);
        EXPECT_EQ(valuesOf(s.frames[i].events[0]), valuesOf(events[i]));
    }
}

TEST(SessionFile, WriterRefusesAFileThatExistsAndLeavesItAlone) {
    testproc::TempDir dir;
    const std::string path = dir.path + "/taken";
    std::ofstream(path) << "keep\n";
    SessionWriter writer;
    std::string error;
    EXPECT_FALSE(writer.open(path, 1, error));
    EXPECT_EQ(error, "File exists");
    EXPECT_EQ(contents(path), "keep\n");
}

TEST(SessionFile, ReadingNamesTheFileWithTheLineOrWhyItCannotBeRead) {
    testproc::TempDir dir;
    std::ofstream(dir.path + "/bad") << HEAD << "frame x\n";
    Session s;
    std::string error;
    EXPECT_FALSE(readSessionFile(dir.path + "/bad", s, error));
    EXPECT_EQ(error.rfind(dir.path + "/bad:4: expected 'frame SECONDS'", 0), 0u) << error;
    EXPECT_FALSE(readSessionFile(dir.path, s, error));
    EXPECT_EQ(error, "cannot read '" + dir.path + "': Is a directory");
}

TEST(SessionFile, TheTourIsAFinishedSessionOfAtMostFifteenSeconds) {
    Session tour;
    std::string error;
    ASSERT_TRUE(readSessionFile(std::string(QORVEL_SOURCE_DIR) + "/docs/tour", tour, error))
        << error;
    EXPECT_TRUE(tour.ended);
    int64_t ticks = 0;
    for (const SessionFrames& run : tour.frames) ticks += run.stepTicks * run.count;
    EXPECT_LE(ticks, 15 * CLOCKS_PER_SEC);
}
