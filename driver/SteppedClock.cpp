// The stepped clock behind timer::useClocks: ticks computed from the frame count, so a long
// run does not gather rounding from adding the step again and again.
#include "SteppedClock.h"

#include "timer.h"

#include <cmath>

namespace {
bool inUse = false;
double step = 0.0;
long long framesBegun = 0;

int64_t steppedTicks() {
    return (int64_t)std::llround((double)framesBegun * step * CLOCKS_PER_SEC);
}
time_t steppedCalendar() { return (time_t)(steppedTicks() / CLOCKS_PER_SEC); }
}  // namespace

void useSteppedClock(double secondsPerFrame) {
    inUse = true;
    step = secondsPerFrame;
    framesBegun = 0;
    timer::useClocks(steppedTicks, steppedCalendar);
}

void advanceSteppedClock() {
    if (inUse) framesBegun++;
}
