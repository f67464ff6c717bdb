// The first frame is shown at once and anchors the schedule; every later one is due at the
// anchor plus its captured time.
#include "ReplaySchedule.h"

double ReplaySchedule::showAt(double capturedSeconds, double now) {
    double due = origin + capturedSeconds;
    if (!anchored || now - due >= MAX_LATE) {
        origin = now - capturedSeconds;
        due = now;
        anchored = true;
    }
    return due > now ? due : now;
}
