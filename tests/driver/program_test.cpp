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
