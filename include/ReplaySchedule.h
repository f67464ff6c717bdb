// When each frame of a replay is shown: at its captured time, counted from when the first one
// was shown, so a replay takes as long as the session it was captured from. Pure arithmetic
// on seconds from any clock that does not go back; the waiting is the caller's. No GL here.
#ifndef QORVEL_REPLAYSCHEDULE_H
#define QORVEL_REPLAYSCHEDULE_H

class ReplaySchedule {
public:
    // Frames shown this late or later are not hurried after: a hidden window or a stalled
    // machine starts a new schedule from where the replay is.
    static constexpr double MAX_LATE = 0.25;

    // The frame captured `capturedSeconds` after the session began is ready at `now`: returns
    // when to show it, never before `now`.
    double showAt(double capturedSeconds, double now);

private:
    bool anchored = false;
    double origin = 0.0;  // where on the caller's clock the captured session began
};

#endif
