// When the next frame may start, for a cap on frames a second. Pure arithmetic on seconds from
// any clock that does not go back; the waiting itself is the caller's. No GL here.
#ifndef QORVEL_FRAMEPACER_H
#define QORVEL_FRAMEPACER_H

class FramePacer {
public:
    // At most `framesPerSecond` frames a second; 0 for no limit.
    explicit FramePacer(int framesPerSecond = 0);
    int limit() const { return framesPerSecond; }
    // A frame is about to start at `now`: returns when it may start, never before `now`.
    // Starts follow a fixed schedule, so a frame that began a little late is followed by one
    // a little sooner and the rate is right on average. A frame later than a whole interval
    // (a stall, a hidden window) starts a new schedule instead of a burst to catch up.
    double frameStart(double now);

private:
    int framesPerSecond;
    double interval;        // seconds between starts; 0: no limit
    bool scheduled = false; // false until the first frame
    double due = 0.0;       // when the next frame is due
};

#endif
