// What happens when an image the scene needs cannot be read, at start or mid-run: the loader
// has said why; then the program's own way out is taken, or exit status 1 without one.
#ifndef QORVEL_IMAGEFAILURE_H
#define QORVEL_IMAGEFAILURE_H

typedef void (*ImageFailureHandler)();

// The handler must not return (it ends the process); null restores plain exit(1).
void onImageFailure(ImageFailureHandler handler);
[[noreturn]] void imageFailed();

#endif
