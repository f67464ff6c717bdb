// End-to-end: the real program under the test's X display, driven by real key events.
#include "support/process.h"

#include <gtest/gtest.h>

#include <string>

using testproc::quote;

namespace {

// Starts the program in `dir`, sends the keys through the X server once its window is up, and
// waits for it to end (a hang ends by the timeout, with status 124).
testproc::Result runWithKeys(const std::string& dir, const std::string& keys) {
    std::string cmd =
        "cd " + quote(dir) + " && { timeout 60 " + quote(testproc::programPath()) + " & pid=$!; " +
        "win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1); " +
        "if [ -n \"$win\" ]; then xdotool windowfocus --sync \"$win\"; sleep 0.5; " +
        "for k in " + keys + "; do xdotool key \"$k\"; sleep 0.3; done; fi; " +
        "wait $pid; }";
    return testproc::runShell(cmd);
}

}  // namespace

TEST(Program, KeysSteerTheCharacterSwitchTheSkyAndEscapeQuits) {
    testproc::Result r = runWithKeys(QORVEL_SOURCE_DIR, "C W Q 7 8 Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Window Size: 800 by 800\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Jump!\n"), std::string::npos) << r.output;
    // "7" loads the night sky; "8" brings the start-up sky back, after it.
    size_t night = r.output.find("Attepting to open file: tga/clouds2.tga");
    ASSERT_NE(night, std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Attepting to open file: tga/clouds3.tga", night), std::string::npos);
}

TEST(Program, LowerCaseLettersDoNotSteerTheCharacter) {
    testproc::Result r = runWithKeys(QORVEL_SOURCE_DIR, "c w Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.find("Jump!"), std::string::npos) << r.output;
}
