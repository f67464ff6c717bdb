// What the program saves of its frames: every frame into a folder (--record), the last one
// when it ends (--screenshot), and one on request (F12). Called on the GLUT thread only.
#ifndef QORVEL_FRAMEOUTPUT_H
#define QORVEL_FRAMEOUTPUT_H

#include <string>

// Creates the folder if it is missing; false with the reason in `error` when it cannot.
bool recordFramesTo(const std::string& folder, std::string& error);
void screenshotAtEnd(const std::string& path);
// Whether the frame the program ends on is to be saved (--screenshot).
bool wantsFinalFrame();
// The next frame drawn is saved as quorvel-YYYYMMDD-HHMMSS.png in the current directory.
void requestSnapshot();
// After a frame is drawn and before it is shown. `last`: the program ends on this frame.
void captureFrame(int width, int height, bool last);
// Writes the --screenshot picture, if one was asked for: 0, or 1 when it cannot be written.
int finishFrameOutput();

#endif
