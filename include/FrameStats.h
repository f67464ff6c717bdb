// What the frames cost the process: wall time, processor time and page faults, read from the
// system, and turned into per-frame figures for --stats and the bench. No GL here.
#ifndef QORVEL_FRAMESTATS_H
#define QORVEL_FRAMESTATS_H

#include <string>

struct ProcessUsage {
    double wallSeconds = 0;    // monotonic clock
    double userSeconds = 0;    // every thread of the process, the GL driver's among them
    double systemSeconds = 0;
    long minorFaults = 0;      // pages the system had to find or zero
};

ProcessUsage readProcessUsage();

struct FrameCost {
    double framesPerSecond = 0;
    double cpuMsPerFrame = 0;  // user and system together
    double systemMsPerFrame = 0;
    double faultsPerFrame = 0;
};

// The cost of `frames` frames drawn between two readings; all zero for no frames.
FrameCost frameCost(const ProcessUsage& from, const ProcessUsage& to, long frames);

// One line for standard output, ending in a newline.
std::string frameStatsLine(const FrameCost& cost, long frames);

#endif
