// A captured session as text: what makes one run differ from another (the random seed, the
// window's size, each frame's time step and the input that came before each frame), one record
// a line. docs/capture.md describes the format. No GL here.
#ifndef QORVEL_SESSIONFILE_H
#define QORVEL_SESSIONFILE_H

#include "FrameClock.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum SessionEventKind { EVENT_KEY, EVENT_SPECIAL, EVENT_MOUSE, EVENT_MOTION, EVENT_RESHAPE };

struct SessionEvent {
    SessionEventKind kind;
    // key, special: the code; mouse: button, state, x, y; motion: x, y; reshape: width, height
    int values[4];
};

// `count` frames, each `stepTicks` on from the one before; `events` come at the start of the
// last of them, after its clock has moved and before anything is drawn.
struct SessionFrames {
    int64_t stepTicks;
    long count;
    std::vector<SessionEvent> events;
};

struct Session {
    unsigned seed = 0;
    int width = 0;
    int height = 0;
    std::vector<SessionFrames> frames;
    long frameCount = 0;  // the counts of all runs together
    bool ended = false;   // the captured session ended here; without it, live input follows
};

const int SESSION_VERSION = 1;
// Longest step a record may hold: the frame clock never moves further in one frame.
const int64_t SESSION_MAX_STEP_TICKS = FRAME_CLOCK_MAX_STEP_TICKS;
const long SESSION_MAX_FRAMES = 1000000000L;

// Reads a whole capture from text; on failure, `errorLine` and `error` say where and what.
bool parseSession(const std::string& text, Session& session, int& errorLine, std::string& error);
// The same from a file; `error` is then "PATH:LINE: what is wrong" (or why it cannot be read).
bool readSessionFile(const std::string& path, Session& session, std::string& error);

// Writes a capture as the session goes, each line handed to the system as soon as it is
// written, so a crash leaves everything up to it.
class SessionWriter {
public:
    ~SessionWriter();
    // Creates `path` as a new file (an existing one is refused and left alone) and writes the
    // format line and the seed.
    bool open(const std::string& path, unsigned seed, std::string& error);
    bool isOpen() const { return file != nullptr; }
    // Each returns false, with the reason in lastError(), when the line could not be written.
    bool size(int width, int height);
    bool frame(int64_t stepTicks);
    bool event(const SessionEvent& e);
    bool end();  // the last line; closes the file
    const std::string& lastError() const { return failure; }

private:
    bool line(const std::string& text);
    FILE* file = nullptr;
    std::string failure;
};

#endif
