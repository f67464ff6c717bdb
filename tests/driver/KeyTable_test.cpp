// The one table of keys against what is made of it elsewhere: the README's table, and no key
// bound twice (the second binding could never be reached).
#include "KeyTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

TEST(KeyTable, TheReadmesKeyTableIsTheTables) {
    std::ifstream in(std::string(QORVEL_SOURCE_DIR) + "/README.md");
    std::stringstream all;
    all << in.rdbuf();
    const std::string readme = all.str();
    const size_t start = readme.find("| Key | What it does |");
    ASSERT_NE(start, std::string::npos) << "no key table in README.md";
    const size_t end = readme.find("\n\n", start);
    EXPECT_EQ(readme.substr(start, end - start + 1), keyTableMarkdown(KEY_TABLE, KEY_TABLE_ROWS));
}

TEST(KeyTable, NoKeyIsBoundTwice) {
    std::set<int> seen;
    for (int i = 0; i < KEY_TABLE_ROWS; i++)
        for (const KeyBinding& b : KEY_TABLE[i].bindings) {
            if (b.act == nullptr) continue;
            EXPECT_TRUE(seen.insert(b.code).second) << "key " << b.code;
        }
}
