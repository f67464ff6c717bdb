// What kind of run this is, decided once at start from the command line and the replay file:
// how its frames are paced, whether hiding the window pauses it, how many frames it draws and
// where its pictures go. No GL here.
#ifndef QORVEL_RUNPLAN_H
#define QORVEL_RUNPLAN_H

#include "CommandLine.h"
#include "SessionFile.h"

#include <string>

enum FramePacing {
    PACE_DISPLAY,  // the display's rate, or 60 where it cannot be known
    PACE_LIMIT,    // at most RunPlan::framesPerSecond
    PACE_REPLAY,   // each replayed frame shown when its captured time has come
    PACE_FREE,     // as fast as the machine draws: offline work, or --max-fps 0
};

struct RunPlan {
    FramePacing pacing = PACE_DISPLAY;
    int framesPerSecond = 0;  // PACE_LIMIT's cap
    // Work of a known number of frames, or a recording: it goes on whatever the window shows.
    bool offline = false;
    bool pausesWhenHidden = true;
    bool headless = false;
    long frames = 0;          // frames to draw, then end; 0: until something ends the run
    std::string screenshot;   // the last frame's picture; "": none
    std::string recordFolder; // every frame's picture; "": none
};

// `replay` is the session being played again, or null for a live run.
RunPlan planRun(const CommandLine& line, const Session* replay);

// The cap on frames a second, 0 for none, once the display's rate is known (0: unknown).
// Replayed frames keep their own schedule (ReplaySchedule.h); frames after a replay hands over
// to live input take the display's rate.
int frameLimit(const RunPlan& plan, int displayRate);

#endif
