// Where the scene's frames are drawn: an off-screen buffer of the window's own formats, so a
// frame is drawn, read back and kept whether or not a window shows it, and is the same bytes
// as a frame drawn in the window itself (the scene blends with the destination's alpha, and
// the rasteriser's arithmetic follows the buffer's layout).
#ifndef QORVEL_FRAMETARGET_H
#define QORVEL_FRAMETARGET_H

#include <string>

class FrameTarget {
public:
    virtual ~FrameTarget() = default;
    // From now on the scene is drawn `width` x `height` pixels; a new size drops the frame
    // held. False, with the reason in `error`, when no such buffer can be made.
    virtual bool resize(int width, int height, std::string& error) = 0;
    // Makes the buffer the one GL draws into and reads from (a window toolkit may have made
    // its window current meanwhile).
    virtual void select() = 0;
    // Shows the frame held where it can be seen (a window's back buffer, then a swap), if
    // anywhere; leaves the buffer selected.
    virtual void show() = 0;
    int width() const { return bufferWidth; }
    int height() const { return bufferHeight; }

protected:
    int bufferWidth = 0;
    int bufferHeight = 0;
};

// A pixel buffer beside the window current on this thread, of its GLX frame buffer
// configuration, drawn with its context; show() copies into the window and swaps it.
FrameTarget* makeWindowFrameTarget(std::string& error);

// No window and no X server: EGL's surfaceless platform with desktop GL and a pixel buffer of
// the formats a virtual X display's window has (8 bits a colour, no alpha, 32 depth bits), so
// its pictures equal those drawn there. EGL is opened only now: the program runs without it
// until a headless run asks for it. show() only flushes.
FrameTarget* makeHeadlessFrameTarget(std::string& error);

#endif
