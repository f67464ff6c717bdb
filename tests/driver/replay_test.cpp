// End-to-end: a session driven by real X events is captured, then played back twice; each
// replay ends on the captured session's last picture, byte for byte. And a bad replay file
// ends the program before any window opens.
#include "support/process.h"

#include <gtest/gtest.h>

using testproc::quote;

namespace {
// Input acts at the start of the next frame and Escape drops what is still waiting, so each
// step waits until the capture shows its last event handled.
std::string x(const std::string& command, const std::string& handled) {
    return "xdotool " + command + " 2>/dev/null; wait_for_line session '" + handled + "'; ";
}
// Keys (walk, jump, turn, the night sky), a left drag, a wheel step, F11 there and back.
const std::string DRIVE =
    x("key --window \"$win\" W W C Q 6 7", "key 55") +
    x("mousemove --window \"$win\" 300 700 mousedown 1 mousemove --window \"$win\" 420 700 "
      "mouseup 1", "mouse 0 1 420 700") +
    "xdotool click --window \"$win\" 4; wait_for grep -q '^mouse 3 0 ' session; " +
    x("key --window \"$win\" F11", "reshape 1024 1024") +
    x("key --window \"$win\" F11", "reshape 800 800") + "xdotool key --window \"$win\" Escape";
}  // namespace

// On a fixed clock (seed and step) and on the wall clock: a test each, so each has the whole
// time allowed.
struct Clock {
    const char* name;
    const char* args;
};

class CapturedSession : public testing::TestWithParam<Clock> {};

TEST_P(CapturedSession, PlaysBackToItsLastPictureByteForByte) {
    testproc::TempDir tmp;
    testproc::Result live = testproc::runProgramWithActions(
        tmp.path, std::string(GetParam().args) + "--capture session --screenshot live.png", DRIVE);
    ASSERT_EQ(live.status, 0) << live.output;
    const std::string file = testproc::runShell("cat " + quote(tmp.path + "/session")).output;
    for (const char* line : {"\nkey 67\n", "\nmotion 420 700\n", "\nmouse 3 0 ",
                             "\nspecial 11\n", "\nreshape 1024 1024\n", "\nend\n"})
        EXPECT_NE(file.find(line), std::string::npos) << "no" << line << file;
    for (const char* replay : {"first.png", "second.png"}) {
        testproc::Result r = testproc::runShell(testproc::onOwnDisplay(
            "cd " + quote(tmp.path) + " && timeout 120 " + quote(testproc::programPath()) +
            " --max-fps 0 --replay session --screenshot " + replay + " && cmp live.png " + replay));
        EXPECT_EQ(r.status, 0) << replay << "\n" << r.output;
    }
}

INSTANTIATE_TEST_SUITE_P(Replay, CapturedSession,
                         testing::Values(Clock{"SeedAndStep", "--seed 3 --step 0.02 "},
                                         Clock{"WallClock", ""}),
                         [](const testing::TestParamInfo<Clock>& info) {
                             return std::string(info.param.name);
                         });

TEST(Replay, ABadFileEndsTheProgramWithItsNameAndLineBeforeAnyWindow) {
    testproc::TempDir tmp;
    testproc::Result r = testproc::runShell(
        "cd " + quote(tmp.path) + " && printf 'quorvel-capture 1\\nseed 1\\nkey 5\\n' > bad && " +
        "env -u DISPLAY " + quote(testproc::programPath()) + " --replay bad 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(r.output, "bad:3: 'key' before the first frame\n");
}
