// Writes 8-bit RGB pictures as PNG files through libpng, never harming what a path held
// before: a picture replaces a file only once it is complete, and never goes into a device,
// a FIFO or anything else that is not a plain file. No GL here.
#ifndef QORVEL_PNGFILE_H
#define QORVEL_PNGFILE_H

#include <string>

// `rgb` holds height rows of width pixels, top row first, 3 bytes a pixel. The picture goes
// into a new temporary file beside `path`, renamed over it when complete. On failure returns
// false with the one cause in `error`; `path` is left as it was and no temporary file stays.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgb,
              std::string& error);

// Whether writePng could write `path` now: its folder takes new files and `path` names no
// device, FIFO, directory or socket. Lets a run refuse a bad target before it starts.
bool canWritePng(const std::string& path, std::string& error);

enum NewPngResult { NEW_PNG_WRITTEN, NEW_PNG_NAME_TAKEN, NEW_PNG_FAILED };

// Writes the picture into a file it creates at `path`, which must not exist yet (not even as
// a link): NEW_PNG_NAME_TAKEN when something has that name. On failure the new file is
// removed and `error` holds the cause.
NewPngResult writeNewPng(const std::string& path, int width, int height,
                         const unsigned char* rgb, std::string& error);

#endif
