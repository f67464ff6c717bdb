// Time and input for each frame, handled the same way live, while capturing and in a replay:
// input waits until the next frame begins and is handled there, right after the frame clock
// has moved, so a replay can hand it to the same frame. Escape alone acts at once.
#ifndef QORVEL_INPUTSESSION_H
#define QORVEL_INPUTSESSION_H

struct CommandLine;

// Before the window opens: reads the replay (its seed and size go into `line`) or opens the
// capture (choosing a seed if none was given). Returns an exit status, or -1 to go on.
int startSession(CommandLine& line);
// Registers the window's input and reshape callbacks.
void takeInputFromWindow();
// Called whenever live input is queued: a resting window wakes for it.
void onLiveInput(void (*came)());
// Whether frames still come from a replay file.
bool replayingSession();
// First thing in every frame: the frame's one reading of the clock, then its input.
void beginFrame();
// Writes the capture's last line; returns 1 when the capture could not be finished, else 0.
int endSession();

#endif
