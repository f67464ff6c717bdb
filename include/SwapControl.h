// Vertical sync and the display's refresh rate, asked of GLX for the window current on this
// thread. Either may be missing: a driver without the extensions, a virtual display.
#ifndef QORVEL_SWAPCONTROL_H
#define QORVEL_SWAPCONTROL_H

// Buffer swaps wait for `interval` vertical blanks (0: never wait). False when no swap-control
// extension took the request.
bool setSwapInterval(int interval);

// The display's refresh rate in whole frames a second, or 0 when GL cannot tell.
int displayRefreshRate();

#endif
