// Pause, a frame at a time, and speeds in halves: the state the time keys change and the one
// decision each frame takes from it.
#include "SceneTime.h"

#include <cstdio>

namespace {
bool pauseAsked = false;  // as the keys left it
bool running = true;      // as the scene is: a resume waits for the next frame
int stepsAsked = 0;       // by this frame's input
int stepsReady = 0;       // by earlier frames' input, one frame each
int slowdown = 1;
bool movesThisFrame = true;
}  // namespace

void pauseOrResumeScene() {
    pauseAsked = !pauseAsked;
    stepsAsked = stepsReady = 0;
}

void stepPausedScene() {
    if (pauseAsked) stepsAsked++;
}

void slowScene() {
    if (slowdown < SCENE_SLOWEST) slowdown *= 2;
}

void speedUpScene() {
    if (slowdown > 1) slowdown /= 2;
}

void resetSceneTime() {
    pauseAsked = false;
    running = true;
    stepsAsked = stepsReady = 0;
    slowdown = 1;
    movesThisFrame = true;
}

const char* sceneTimeLabel() {
    static char label[32];
    if (pauseAsked) return "paused";
    if (slowdown == 1) return "";
    std::snprintf(label, sizeof label, "speed 1/%d", slowdown);
    return label;
}

// A pause holds the frame that handles it. A resume or a step moves the frames after it: the
// frame that handles the key may have waited any time for it (a resting window waits for
// input), while the next one takes one frame's step: --step under a stepped clock, one frame
// of the display's pace live, and in a replay what the capture wrote down. A step moves the
// frame's whole step, whatever the speed.
int64_t beginSceneFrame(int64_t frameTicks) {
    if (pauseAsked) running = false;
    movesThisFrame = running || stepsReady > 0;
    int64_t share = 0;
    if (running) {
        share = frameTicks / slowdown;
    } else if (stepsReady > 0) {
        stepsReady--;
        share = frameTicks;
    }
    if (!pauseAsked) running = true;
    stepsReady += stepsAsked;
    stepsAsked = 0;
    return share;
}

bool sceneMoves() { return movesThisFrame; }

bool sceneAtRest() {
    return pauseAsked && !running && stepsAsked == 0 && stepsReady == 0 && !movesThisFrame;
}
