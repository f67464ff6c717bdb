// The stepped clock behind timer::useClocks: a whole number of ticks a frame (the command
// line accepts only such steps), so every frame advances by exactly the same step.
#include "SteppedClock.h"

#include "timer.h"

#include <cmath>

namespace {
bool inUse = false;
int64_t ticksPerFrame = 0;
int64_t framesBegun = 0;

int64_t steppedTicks() { return framesBegun * ticksPerFrame; }
time_t steppedCalendar() { return (time_t)(steppedTicks() / CLOCKS_PER_SEC); }
}  // namespace

void useSteppedClock(double secondsPerFrame) {
    inUse = true;
    ticksPerFrame = std::llround(secondsPerFrame * CLOCKS_PER_SEC);
    framesBegun = 0;
    timer::useClocks(steppedTicks, steppedCalendar);
}

void advanceSteppedClock() {
    if (inUse) framesBegun++;
}
