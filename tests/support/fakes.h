// Test support: hand-driven stopwatch clocks, scripted random draws and silenced output.
#ifndef QORVEL_TESTS_FAKES_H
#define QORVEL_TESTS_FAKES_H

#include "ParticleSystem.h"
#include "timer.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

namespace fake {
inline int64_t ticks = 0;
inline time_t calendar = 1700000000;
inline std::deque<int> draws;
inline int64_t readTicks() { return ticks; }
inline time_t readCalendar() { return calendar; }
inline void advance(double seconds) { ticks += (int64_t)(seconds * CLOCKS_PER_SEC + 0.5); }
// An empty script yields exactly one half, a draw that never causes a rebirth.
inline int nextDraw() {
    if (draws.empty()) return 1 << 30;
    int r = draws.front();
    draws.pop_front();
    return r;
}
inline void push(std::initializer_list<double> units) {
    for (double u : units) draws.push_back((int)(u * 2147483648.0));
}
// The particle systems on a long seeded stream instead, for tests that count proportions.
inline std::mt19937 stream;
inline int streamDraw() { return (int)(stream() >> 1); }
inline void useStream(unsigned seed) {
    stream.seed(seed);
    ParticleSystem::useRandomSource(streamDraw);
}
// Every stopwatch on the fake clocks (frozen until advanced) and the particle systems on the
// scripted draws, for the lifetime of the object.
struct Scope {
    Scope() {
        ticks = 0;
        calendar = 1700000000;
        draws.clear();
        timer::useClocks(readTicks, readCalendar);
        ParticleSystem::useRandomSource(nextDraw);
    }
    ~Scope() {
        timer::useClocks(nullptr, nullptr);
        ParticleSystem::useRandomSource(nullptr);
    }
};
}  // namespace fake

// Runs f with standard output captured and returns what it printed.
template <class F>
std::string quietly(F f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

#endif
