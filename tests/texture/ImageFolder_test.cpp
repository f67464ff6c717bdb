// Where images are read from: the order of the places looked in. (From the source tree the
// names stay relative, "tga/...": the end-to-end pipe test reads them so.)
#include "ImageFolder.h"
#include "support/process.h"

#include <gtest/gtest.h>

namespace {
// A program folder with, on request, tga/ beside it and an installed share/quorvel above it.
struct Tree {
    testproc::TempDir dir;
    const std::string& root = dir.path;
    std::string bin = root + "/bin";
    Tree(bool beside, bool installed) {
        testproc::runShell("mkdir -p " + testproc::quote(bin));
        if (beside) testproc::runShell("mkdir " + testproc::quote(bin + "/tga"));
        if (installed) testproc::runShell("mkdir -p " + testproc::quote(root + "/share/quorvel"));
    }
};
}  // namespace

TEST(ImageFolderTest, PlacesAreTriedInTheirOrder) {
    const struct { bool beside, installed; const char *option, *env, *found; } cases[] = {
        {true, true, "mine", "theirs", "mine"}, {true, true, "", "theirs", "theirs"},
        {true, true, "", "", "/bin/tga"},
        {false, true, "", nullptr, "/share/quorvel"},
        {false, false, "", nullptr, "tga"}};
    for (auto c : cases) {
        Tree t(c.beside, c.installed);
        std::string want = c.found;
        if (want[0] == '/') want = t.root + want;  // inside the made tree, resolved
        EXPECT_EQ(findImageFolder(c.option, c.env, t.bin, "../share/quorvel"), want) << c.found;
    }
}
