// The per-frame cost --stats and the bench print, from two readings of the process's usage.
#include "FrameStats.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

TEST(FrameStatsTest, CostIsTheDifferenceOfTwoReadingsSharedOverTheFrames) {
    ProcessUsage from, to;
    from.wallSeconds = 100, from.userSeconds = 3, from.systemSeconds = 1, from.minorFaults = 5000;
    to.wallSeconds = 104, to.userSeconds = 9, to.systemSeconds = 1.4, to.minorFaults = 5600;
    const FrameCost c = frameCost(from, to, 200);
    EXPECT_DOUBLE_EQ(c.framesPerSecond, 50);
    EXPECT_DOUBLE_EQ(c.cpuMsPerFrame, 32);  // 6.4 s of user and system time over 200 frames
    EXPECT_DOUBLE_EQ(c.systemMsPerFrame, 2);
    EXPECT_DOUBLE_EQ(c.faultsPerFrame, 3);
    EXPECT_EQ(frameStatsLine(c, 200), "200 frames: 50.0 frames per second, 32.00 ms CPU per "
                                      "frame (2.00 ms system), 3.0 page faults per frame\n");
}

TEST(FrameStatsTest, NoFramesCostNothingRatherThanDividingByZero) {
    ProcessUsage from, to;
    to.wallSeconds = 1, to.userSeconds = 1, to.minorFaults = 10;
    const FrameCost c = frameCost(from, to, 0);
    EXPECT_EQ(c.framesPerSecond, 0);
    EXPECT_EQ(c.cpuMsPerFrame, 0);
    EXPECT_EQ(c.faultsPerFrame, 0);
}

TEST(FrameStatsTest, ReadingsOfTheRunningProcessMoveForward) {
    const ProcessUsage a = readProcessUsage();
    volatile double sink = 0;
    for (int i = 0; i < 20000000; i++) sink = sink + i;  // some user time
    // Fresh pages, each its own fault: without huge pages 8 MiB could be four faults.
    const size_t page = (size_t)sysconf(_SC_PAGESIZE), pages = 2000, size = pages * page;
    void* fresh = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(fresh, MAP_FAILED);
    ASSERT_EQ(madvise(fresh, size, MADV_NOHUGEPAGE), 0);
    for (size_t i = 0; i < pages; i++) static_cast<volatile char*>(fresh)[i * page] = 1;
    const ProcessUsage b = readProcessUsage();
    munmap(fresh, size);
    EXPECT_GT(b.wallSeconds, a.wallSeconds);
    EXPECT_GT(b.userSeconds + b.systemSeconds, a.userSeconds + a.systemSeconds);
    EXPECT_GE(b.minorFaults, a.minorFaults + (long)pages);
}
