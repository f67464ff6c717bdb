// The time of a frame: read once when the frame begins, and the same for every stopwatch until
// the next frame begins, so all objects of a frame move by the same step. Two readings come of
// it: frame time, the sum of the frames' steps (what a capture writes, what the frame rate is
// counted in), and scene time, what every stopwatch reads: the same unless the scene is paused
// or slowed (SceneTime.h). No GL here.
#ifndef QORVEL_FRAMECLOCK_H
#define QORVEL_FRAMECLOCK_H

#include <cstdint>

// The furthest the clock moves in one frame: a longer stall (a suspended machine) counts as an
// hour, which every stopwatch treats alike, so a capture can always write the step down.
const int64_t FRAME_CLOCK_MAX_STEP_TICKS = 3600LL * 1000000;

// Every stopwatch on the frame clock, standing at 0; each frame takes the system's monotonic
// clock when it begins. With a step above 0, each frame is that step on instead (--step).
void useFrameClock(double stepSeconds);
// Moves the clock to the start of a new frame; returns how far frame time moved, in stopwatch
// ticks. Frame time stands still before useFrameClock.
int64_t beginFrameClock();
// Moves it by a step told from outside (a replay); a later beginFrameClock on the system clock
// goes on from here.
void beginFrameClockBy(int64_t ticks);
// Once the frame's input is handled: scene time takes its share of the frame's step, so a
// pause or speed key acts on the frame that handles it.
void moveSceneClock();
// Seconds of frame time since the clock was put in use.
double frameClockSeconds();

#endif
