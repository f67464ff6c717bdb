// The frame clock behind timer::useClocks. The calendar reading the stopwatch uses past a
// minute is scene time too, so nothing a frame sees depends on when it is drawn.
#include "FrameClock.h"

#include "SceneTime.h"
#include "timer.h"

#include <cmath>
#include <ctime>

static_assert(CLOCKS_PER_SEC == 1000000, "frame clock ticks are microseconds");

namespace {
enum Mode { UNUSED, LIVE, STEPPED };
Mode mode = UNUSED;
int64_t frameNow = 0;    // ticks of frame time since the clock was put in use
int64_t sceneNow = 0;    // ticks of scene time: what every stopwatch reads
int64_t origin = 0;      // the system clock's reading where frame time stood at 0
int64_t stepTicks = 0;   // --step, in whole ticks (the command line accepts no other)
int64_t frameStep = 0;   // the frame's step, for the scene to take its share of

int64_t readNow() { return sceneNow; }
time_t readCalendar() { return (time_t)(sceneNow / CLOCKS_PER_SEC); }

void advance(int64_t ticks) {
    frameNow += ticks;
    frameStep = ticks;
}
}  // namespace

void useFrameClock(double stepSeconds) {
    frameNow = sceneNow = 0;
    stepTicks = stepSeconds > 0.0 ? std::llround(stepSeconds * CLOCKS_PER_SEC) : 0;
    mode = stepTicks > 0 ? STEPPED : LIVE;
    origin = timer::wallTicks();
    timer::useClocks(readNow, readCalendar);
}

int64_t beginFrameClock() {
    int64_t step = 0;
    if (mode == LIVE) {
        step = timer::wallTicks() - origin - frameNow;
        if (step > FRAME_CLOCK_MAX_STEP_TICKS) {
            step = FRAME_CLOCK_MAX_STEP_TICKS;
            origin = timer::wallTicks() - (frameNow + step);
        }
    } else if (mode == STEPPED) {
        step = stepTicks;
    }
    advance(step);
    return step;
}

void beginFrameClockBy(int64_t ticks) {
    advance(ticks);
    origin = timer::wallTicks() - frameNow;
}

void moveSceneClock() {
    sceneNow += beginSceneFrame(frameStep);
    frameStep = 0;
}

double frameClockSeconds() { return (double)frameNow / CLOCKS_PER_SEC; }
