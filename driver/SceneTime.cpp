// Pause, a frame at a time, and speeds in halves: the state the time keys change and the one
// decision each frame takes from it.
#include "SceneTime.h"

#include <cstdio>

namespace {
bool paused = false;
int stepsAsked = 0;  // frames to move while paused
int slowdown = 1;
bool movesThisFrame = true;
}  // namespace

void pauseOrResumeScene() {
    paused = !paused;
    stepsAsked = 0;
}

void stepPausedScene() {
    if (paused) stepsAsked++;
}

void slowScene() {
    if (slowdown < SCENE_SLOWEST) slowdown *= 2;
}

void speedUpScene() {
    if (slowdown > 1) slowdown /= 2;
}

void resetSceneTime() {
    paused = false;
    stepsAsked = 0;
    slowdown = 1;
    movesThisFrame = true;
}

bool scenePaused() { return paused; }
int sceneSlowdown() { return slowdown; }

const char* sceneTimeLabel() {
    static char label[32];
    if (paused) return "paused";
    if (slowdown == 1) return "";
    std::snprintf(label, sizeof label, "speed 1/%d", slowdown);
    return label;
}

// A frame moved on while paused takes the frame's whole step: --step under a stepped clock,
// one frame of the display's pace live, and in a replay what the capture wrote down.
int64_t beginSceneFrame(int64_t frameTicks) {
    movesThisFrame = !paused || stepsAsked > 0;
    if (paused) {
        if (stepsAsked == 0) return 0;
        stepsAsked--;
        return frameTicks;
    }
    return frameTicks / slowdown;
}

bool sceneMoves() { return movesThisFrame; }

bool sceneAtRest() { return paused && stepsAsked == 0 && !movesThisFrame; }
