// What the program saves of its frames: every frame into a folder (--record), the last one
// when it ends (--screenshot), and one on request (F12). Nothing here writes over or through
// a file it did not create. Called on the GLUT thread only.
#ifndef QORVEL_FRAMEOUTPUT_H
#define QORVEL_FRAMEOUTPUT_H

#include <string>

// Creates the folder if it is missing and refuses one that already holds frame files; false
// with the reason in `error`. `lastFrame` is the number of the run's last frame, 0 when the
// run goes on until it is ended.
bool recordFramesTo(const std::string& folder, long lastFrame, std::string& error);
// false with the reason in `error` when the picture could not be written there.
bool screenshotAtEnd(const std::string& path, std::string& error);
// The next frame drawn is saved as quorvel-YYYYMMDD-HHMMSS.png in the current directory.
void requestSnapshot();
// After a frame is drawn, read from GL's read buffer: saved when recording or asked for by
// F12. False when a recorded frame could not be written: the run is to end (status 1).
bool captureFrame(int width, int height);
// Writes the --screenshot picture, if one was asked for, from the frame GL's read buffer holds
// (`frameHeld` false: no frame was ever drawn there): 0, or 1 when it cannot be written or a
// recorded frame could not be.
int finishFrameOutput(bool frameHeld, int width, int height);

// The name of recorded frame `number` in a run whose last frame is `lastFrame` (0: open
// ended): zero-padded to six digits, or to as many as the last frame has, so names sort in
// frame order; "" beyond 999999 in an open-ended run, which could not keep that order.
std::string recordedFrameName(long number, long lastFrame);

#endif
