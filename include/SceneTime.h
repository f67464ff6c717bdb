// The scene's own time, held apart from the frames: paused, moved on one frame at a time, or
// slowed. The frame clock asks it, as each frame begins, how far the scene moves. No GL here.
#ifndef QORVEL_SCENETIME_H
#define QORVEL_SCENETIME_H

#include <cstdint>

// Slowest speed: the scene's step is the frame's divided by this.
const int SCENE_SLOWEST = 16;

// The keys' work. A pause or a speed acts on the frame that handles the key, a resume or a
// step on the frames after it; all after the frame's clock moved, so a capture replays them.
void pauseOrResumeScene();
void stepPausedScene();  // one more frame moves while paused; nothing while running
void slowScene();        // half the speed, down to 1/SCENE_SLOWEST
void speedUpScene();     // twice the speed, up to full
void resetSceneTime();   // running at full speed, nothing pending

// What the F1 panel says: "paused", "speed 1/4", or "" at full speed.
const char* sceneTimeLabel();

// Once a frame's input is handled, from the frame's step: the step the scene takes, 0 while
// paused. Whether the scene moves in this frame is settled here.
int64_t beginSceneFrame(int64_t frameTicks);
// Whether this frame moves the scene: its updates, searches and scrolling run.
bool sceneMoves();
// Paused with no frame asked for: until input comes, a frame draws what the last one did.
bool sceneAtRest();

#endif
