// Test support: asks a window to close as a window manager's close button does, by sending it
// the WM_DELETE_WINDOW message of the WM_PROTOCOLS it takes part in.
// Usage: close_window WINDOW_ID (on the display $DISPLAY names)
#include <X11/Xlib.h>

#include <cstdlib>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (argc != 2 || display == nullptr) return 2;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::strtoul(argv[1], nullptr, 0);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);  // sends what is queued
    return sent != 0 ? 0 : 1;
}
