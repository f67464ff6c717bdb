// The frame clock behind timer::useClocks. The calendar reading the stopwatch uses past a
// minute is frame time too, so nothing a frame sees depends on when it is drawn.
#include "FrameClock.h"

#include "SteppedClock.h"
#include "timer.h"

#include <ctime>

static_assert(CLOCKS_PER_SEC == 1000000, "frame clock ticks are microseconds");

namespace {
enum Mode { UNUSED, LIVE, STEPPED };
Mode mode = UNUSED;
int64_t now = 0;     // ticks since the clock was put in use: what every stopwatch reads
int64_t origin = 0;  // the system clock's reading where frame time stood at 0

int64_t readNow() { return now; }
time_t readCalendar() { return (time_t)(now / CLOCKS_PER_SEC); }
}  // namespace

void useFrameClock(double stepSeconds) {
    now = 0;
    if (stepSeconds > 0.0) {
        mode = STEPPED;
        useSteppedClock(stepSeconds);  // already moves only when a frame begins
        return;
    }
    mode = LIVE;
    origin = timer::wallTicks();
    timer::useClocks(readNow, readCalendar);
}

int64_t beginFrameClock() {
    const int64_t before = now;
    if (mode == LIVE) {
        now = timer::wallTicks() - origin;
        if (now - before > FRAME_CLOCK_MAX_STEP_TICKS) {
            now = before + FRAME_CLOCK_MAX_STEP_TICKS;
            origin = timer::wallTicks() - now;
        }
    } else if (mode == STEPPED) {
        advanceSteppedClock();
        now = timer::fineTicks();
    }
    return now - before;
}

void beginFrameClockBy(int64_t ticks) {
    now += ticks;
    origin = timer::wallTicks() - now;
}

double frameClockSeconds() { return (double)now / CLOCKS_PER_SEC; }
