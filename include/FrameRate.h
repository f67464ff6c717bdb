// Frames per second over the last second of frames shown. No GL here.
#ifndef QORVEL_FRAMERATE_H
#define QORVEL_FRAMERATE_H

#include <deque>

class FrameRate {
public:
    // A frame was shown at `seconds` (any clock that does not go back).
    void addFrame(double seconds);
    // Frames per second between the oldest and the newest frame of the last second; 0 until
    // two frames were shown.
    double perSecond() const;

private:
    std::deque<double> shown;
};

#endif
