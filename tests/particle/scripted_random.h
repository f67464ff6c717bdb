// Test helper: replaces the effects' random generator with a list of chosen unit values.
#ifndef QORVEL_TESTS_PARTICLE_SCRIPTED_RANDOM_H
#define QORVEL_TESTS_PARTICLE_SCRIPTED_RANDOM_H

#include "ParticleSystem.h"

#include <deque>

namespace scripted {

inline std::deque<int>& queue() {
    static std::deque<int> values;
    return values;
}

// Generator results for a unit value u (exact for multiples of 2^-31).
inline int fromUnit(double u) { return (int)(u * 2147483648.0); }

// An empty script yields 0.5, a draw that never causes a rebirth.
inline int next() {
    if (queue().empty()) return 1 << 30;
    int v = queue().front();
    queue().pop_front();
    return v;
}

inline void push(std::initializer_list<double> units) {
    for (double u : units) queue().push_back(fromUnit(u));
}

inline void pushRaw(int r) { queue().push_back(r); }

// Installs the scripted generator for the lifetime of the object.
struct Scope {
    Scope() {
        queue().clear();
        ParticleSystem::useRandomSource(next);
    }
    ~Scope() { ParticleSystem::useRandomSource(nullptr); }
};

}  // namespace scripted

#endif
