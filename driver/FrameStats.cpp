// Frame cost from getrusage and the monotonic clock.
#include "FrameStats.h"

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {
double seconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }
}  // namespace

ProcessUsage readProcessUsage() {
    ProcessUsage u;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    u.wallSeconds = now.tv_sec + now.tv_nsec / 1e9;
    rusage r;
    if (getrusage(RUSAGE_SELF, &r) == 0) {
        u.userSeconds = seconds(r.ru_utime);
        u.systemSeconds = seconds(r.ru_stime);
        u.minorFaults = r.ru_minflt;
    }
    return u;
}

FrameCost frameCost(const ProcessUsage& from, const ProcessUsage& to, long frames) {
    FrameCost c;
    if (frames <= 0) return c;
    const double wall = to.wallSeconds - from.wallSeconds;
    const double system = to.systemSeconds - from.systemSeconds;
    const double cpu = to.userSeconds - from.userSeconds + system;
    c.framesPerSecond = wall > 0 ? frames / wall : 0;
    c.cpuMsPerFrame = cpu * 1000.0 / frames;
    c.systemMsPerFrame = system * 1000.0 / frames;
    c.faultsPerFrame = (double)(to.minorFaults - from.minorFaults) / frames;
    return c;
}

std::string frameStatsLine(const FrameCost& cost, long frames) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "%ld frames: %.1f frames per second, %.2f ms CPU per frame (%.2f ms system), "
                  "%.1f page faults per frame\n",
                  frames, cost.framesPerSecond, cost.cpuMsPerFrame, cost.systemMsPerFrame,
                  cost.faultsPerFrame);
    return line;
}
