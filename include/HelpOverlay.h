// The F1 panel: the control table and the frame rate, drawn over the finished frame.
#ifndef QORVEL_HELPOVERLAY_H
#define QORVEL_HELPOVERLAY_H

#include "FrameRate.h"

class HelpOverlay {
public:
    void toggle() { shown = !shown; }
    bool isShown() const { return shown; }
    // Counts a frame, shown or not, so the rate is right the moment the panel appears.
    void frameShown(double seconds) { rate.addFrame(seconds); }
    // The cap on frames a second shown beside the rate; 0 for none.
    void setFrameLimit(int framesPerSecond) { limit = framesPerSecond; }
    // Draws the panel in the window's top-left corner when it is shown; every GL state it
    // touches is given back as it was found.
    void draw(int windowWidth, int windowHeight) const;

private:
    bool shown = false;  // off at start: the default picture has no panel
    FrameRate rate;
    int limit = 0;
};

#endif
