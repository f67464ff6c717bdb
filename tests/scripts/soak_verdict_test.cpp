// The soak's memory verdict on made-up readings: a run still starting is not judged, spikes and a
// step during the warm-up pass, a raised floor fails.
#include "support/process.h"

#include <gtest/gtest.h>

TEST(SoakVerdict, JudgesRunsOfAnyLengthByTheirFloor) {
    const std::string script =
        testproc::quote(std::string(QORVEL_SOURCE_DIR) + "/scripts/soak_verdict.sh");
    const struct { const char* what; int seconds; const char* readings; int status; } runs[] = {
        {"4 s, still starting: not judged", 4, "0:100000\\n2:100100\\n4:103300\\n", 0},
        {"20 s, grown, first read after the baseline quarter", 20, "14:100000\\n20:103300\\n", 1},
        {"60 s, spikes", 60, "16:100000\\n30:105000\\n46:100500\\n60:104000\\n", 0},
        {"60 s, a step in the warm-up", 60, "0:90000\\n10:95000\\n16:100000\\n60:100500\\n", 0},
        {"60 s, a raised floor", 60, "16:100000\\n30:103000\\n46:103000\\n60:103100\\n", 1}};
    for (const auto& r : runs) {
        const std::string command = std::string("printf '") + r.readings + "' | bash " + script;
        testproc::Result got = testproc::runShell(command + " " + std::to_string(r.seconds));
        EXPECT_EQ(got.status, r.status) << r.what << ": " << got.output;
    }
}
