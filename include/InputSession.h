// Time and input for each frame, handled the same way live, while capturing and in a replay:
// input waits until the next frame begins and is handled there, right after the frame clock
// has moved, so a replay can hand it to the same frame. Escape alone acts at once.
#ifndef QORVEL_INPUTSESSION_H
#define QORVEL_INPUTSESSION_H

#include "SessionFile.h"

struct CommandLine;

// Where the session's input goes: the scene's own handlers, handed over from above.
struct InputHandlers {
    void (*key)(unsigned char key);
    void (*special)(int key);
    void (*mouse)(int button, int state, int x, int y);
    void (*motion)(int x, int y);
    void (*takeSize)(int width, int height);      // the scene is drawn at this size from now on
    void (*resizeWindow)(int width, int height);  // a replay sizes the window; null: no window
    void (*end)(int status);                      // ends the run as every way out does; no return
    void (*inputCame)();                          // live input was queued; may be null
};

// Before the window opens: reads the replay (its seed and size go into `line`) or opens the
// capture (choosing a seed if none was given). Returns an exit status, or -1 to go on.
int startSession(CommandLine& line, const InputHandlers& handlers);
// The session being played again, or null for a live one.
const Session* replayedSession();
// Whether the frames still come from the replay (false once live input has taken over).
bool replayGoesOn();
// Registers the window's input and reshape callbacks.
void takeInputFromWindow();
// First thing in every frame: the frame's one reading of the clock, then its input.
void beginFrame();
// Writes the capture's last line; returns 1 when the capture could not be finished, else 0.
int endSession();

#endif
