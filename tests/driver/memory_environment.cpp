// The test process sets up its allocator as the program does, before any window exists.
#include "character_driver.h"

#include <gtest/gtest.h>

namespace {
struct ProgramMemorySettings : ::testing::Environment {
    void SetUp() override { configureMemory(); }
};
::testing::Environment* const settings = ::testing::AddGlobalTestEnvironment(new ProgramMemorySettings);
}  // namespace
