// End-to-end: the real program under the test's X display, driven by real key events.
#include "support/process.h"

#include <gtest/gtest.h>

#include <string>

TEST(Program, KeysSteerTheCharacterSwitchTheSkyAndEscapeQuits) {
    testproc::Result r = testproc::runProgramWithKeys(QORVEL_SOURCE_DIR, "C W Q 7 8 Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Window Size: 800 by 800\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Jump!\n"), std::string::npos) << r.output;
    // "7" loads the night sky; "8" brings the start-up sky back, after it.
    size_t night = r.output.find("Attepting to open file: tga/clouds2.tga");
    ASSERT_NE(night, std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Attepting to open file: tga/clouds3.tga", night), std::string::npos);
}

TEST(Program, LowerCaseLettersDoNotSteerTheCharacter) {
    testproc::Result r = testproc::runProgramWithKeys(QORVEL_SOURCE_DIR, "c w Escape");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.find("Jump!"), std::string::npos) << r.output;
}

TEST(Program, PrintsEachLineAtOnceIntoAPipe) {
    // The program's output goes through a pipe into a file, read while its window is still up.
    std::string cmd =
        "cd " + testproc::quote(QORVEL_SOURCE_DIR) + " || exit 1; log=$(mktemp); " +
        "{ set -o pipefail; timeout 60 " + testproc::quote(testproc::programPath()) +
        " | cat > \"$log\"; } & pipeline=$!; " +
        "win=$(xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1); " +
        "for i in $(seq 1 50); do grep -q 'Window Size' \"$log\" && break; sleep 0.1; done; " +
        "kill -0 $pipeline && echo \"running, lines so far:\" && cat \"$log\"; " +
        "xdotool key --window \"$win\" Escape; wait $pipeline; echo \"status $?\"";
    testproc::Result r = testproc::runShell(testproc::onOwnDisplay(cmd));
    EXPECT_NE(r.output.find("running, lines so far:\nAttepting to open file: tga/ground3.tga"),
              std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Window Size: 800 by 800\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("status 0"), std::string::npos) << r.output;
}
