// Pictures of what GL has drawn: read back from the buffer being drawn and saved as PNG files.
#ifndef QORVEL_FRAMECAPTURE_H
#define QORVEL_FRAMECAPTURE_H

#include <string>
#include <vector>

struct FramePicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // top row first, 3 bytes a pixel
};

// Reads the window's width x height pixels from GL's current read buffer (before the swap:
// the frame just drawn).
void readFrame(FramePicture& picture, int width, int height);

// Writes the picture as a PNG; false with the reason in `error` when it cannot.
bool saveFrame(const FramePicture& picture, const std::string& path, std::string& error);

#endif
