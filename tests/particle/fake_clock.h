// Test helper: drives every timer from a processor clock the test advances by hand.
#ifndef QORVEL_TESTS_PARTICLE_FAKE_CLOCK_H
#define QORVEL_TESTS_PARTICLE_FAKE_CLOCK_H

#include "timer.h"

#include <ctime>

namespace fakeclock {

inline clock_t& processor() {
    static clock_t ticks = 0;
    return ticks;
}
inline clock_t readProcessor() { return processor(); }
inline time_t readCalendar() { return 1700000000; }

// Installs the fake clocks at zero for the lifetime of the object.
struct Scope {
    Scope() {
        processor() = 0;
        timer::useClocks(readProcessor, readCalendar);
    }
    ~Scope() { timer::useClocks(nullptr, nullptr); }
};

inline void advance(double seconds) { processor() += (clock_t)(seconds * CLOCKS_PER_SEC + 0.5); }

}  // namespace fakeclock

#endif
