// Keeps the time stamps of the last second; the rate is intervals over the time they span.
#include "FrameRate.h"

void FrameRate::addFrame(double seconds) {
    shown.push_back(seconds);
    while (shown.size() > 2 && seconds - shown.front() > 1.0) shown.pop_front();
}

double FrameRate::perSecond() const {
    if (shown.size() < 2) return 0.0;
    const double span = shown.back() - shown.front();
    return span > 0.0 ? (double)(shown.size() - 1) / span : 0.0;
}
