// Test helpers: a hand-driven processor clock for every timer and a scripted random source.
#ifndef QORVEL_TESTS_PARTICLE_SUPPORT_H
#define QORVEL_TESTS_PARTICLE_SUPPORT_H

#include "ParticleSystem.h"
#include "timer.h"

#include <deque>

namespace fake {
inline clock_t ticks = 0;
inline std::deque<int> draws;
inline clock_t readTicks() { return ticks; }
inline time_t readTime() { return 1700000000; }
inline void advance(double seconds) { ticks += (clock_t)(seconds * CLOCKS_PER_SEC + 0.5); }
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
// Frozen clock at zero and scripted draws for the lifetime of the object.
struct Scope {
    Scope() {
        ticks = 0;
        draws.clear();
        timer::useClocks(readTicks, readTime);
        ParticleSystem::useRandomSource(nextDraw);
    }
    ~Scope() {
        timer::useClocks(nullptr, nullptr);
        ParticleSystem::useRandomSource(nullptr);
    }
};
}  // namespace fake

#endif
