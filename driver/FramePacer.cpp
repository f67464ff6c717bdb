// The frame schedule: the due time moves on by whole intervals from where it was, not from
// when a frame actually started, so small delays do not add up into a lower rate.
#include "FramePacer.h"

FramePacer::FramePacer(int framesPerSecond)
    : framesPerSecond(framesPerSecond > 0 ? framesPerSecond : 0),
      interval(framesPerSecond > 0 ? 1.0 / framesPerSecond : 0.0) {}

double FramePacer::frameStart(double now) {
    if (interval == 0.0) return now;
    if (!scheduled || now - due > interval) due = now;
    scheduled = true;
    const double start = due > now ? due : now;
    due += interval;
    return start;
}
