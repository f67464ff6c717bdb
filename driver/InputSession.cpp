// Live input is queued by the window's callbacks and handled by beginFrame; a replay hands the
// recorded input to the same handlers instead, and a capture writes down whatever is handled.
#include "InputSession.h"

#include "CommandLine.h"
#include "FrameClock.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {
// The sides of a window that is drawn at all; a capture holds no smaller one.
const int MIN_SIDE = 2;

InputHandlers to;
SessionWriter capture;
std::string capturePath;
Session replay;
bool replaying = false;
size_t replayRun = 0;      // the run of frames the replay is in
long framesIntoRun = 0;
bool framesBegun = false;
std::vector<SessionEvent> queued;
int shownWidth = 0, shownHeight = 0;  // as the scene last took them
int liveWidth = 0, liveHeight = 0;    // as the window last reported them

void showSize(int w, int h) {
    shownWidth = w;
    shownHeight = h;
    to.takeSize(w, h);
}

void handle(const SessionEvent& e) {
    const int* v = e.values;
    switch (e.kind) {
    case EVENT_KEY: to.key((unsigned char)v[0]); break;
    case EVENT_SPECIAL: to.special(v[0]); break;
    case EVENT_MOUSE: to.mouse(v[0], v[1], v[2], v[3]); break;
    case EVENT_MOTION: to.motion(v[0], v[1]); break;
    case EVENT_RESHAPE:
        // A replay sizes the window as the captured one was; the scene takes the recorded size
        // whether or not the window manager has caught up yet.
        if (replaying && to.resizeWindow != nullptr && (v[0] != liveWidth || v[1] != liveHeight))
            to.resizeWindow(v[0], v[1]);
        showSize(v[0], v[1]);
        break;
    }
}

void queue(SessionEventKind kind, int a, int b = 0, int c = 0, int d = 0) {
    if (replaying) return;
    queued.push_back({kind, {a, b, c, d}});
    if (to.inputCame != nullptr) to.inputCame();
}

void liveKey(unsigned char key, int, int) {
    if (key == 27) to.key(key);  // Escape ends a replay too; the capture says 'end'
    else queue(EVENT_KEY, key);
}
void liveSpecial(int key, int, int) { queue(EVENT_SPECIAL, key); }
void liveMouse(int button, int state, int x, int y) { queue(EVENT_MOUSE, button, state, x, y); }
void liveMotion(int x, int y) { queue(EVENT_MOTION, x, y); }
void liveReshape(int w, int h) {
    liveWidth = w;
    liveHeight = h;
    // A window squeezed below two pixels is still drawn at two: what is handled is what a
    // capture holds, and a replay takes no less.
    w = std::max(w, MIN_SIDE);
    h = std::max(h, MIN_SIDE);
    if (!framesBegun) showSize(w, h);  // the size the first frame starts with
    else queue(EVENT_RESHAPE, w, h);
}

[[noreturn]] void captureFailed() {
    std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", capturePath.c_str(),
                 capture.lastError().c_str());
    to.end(1);
    std::exit(1);  // not reached: end() does not return
}

// The next frame's step and input from the replay; false once it has none left.
bool replayedFrame(int64_t& step, std::vector<SessionEvent>& events) {
    if (!replaying || replayRun == replay.frames.size()) return false;
    const SessionFrames& run = replay.frames[replayRun];
    step = run.stepTicks;
    if (++framesIntoRun == run.count) {
        events = run.events;
        replayRun++;
        framesIntoRun = 0;
    }
    return true;
}
}  // namespace

int startSession(CommandLine& line, const InputHandlers& handlers) {
    to = handlers;
    std::string error;
    if (!line.replayFile.empty()) {
        if (!readSessionFile(line.replayFile, replay, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        replaying = true;
        line.seeded = true;
        line.seed = replay.seed;
        line.width = replay.width;
        line.height = replay.height;
    }
    if (!line.captureFile.empty()) {
        if (!line.seeded) line.seed = (unsigned)std::time(nullptr);  // written, so replayable
        line.seeded = true;
        capturePath = line.captureFile;
        if (!capture.open(capturePath, line.seed, error)) {
            std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", capturePath.c_str(),
                         error.c_str());
            return 1;
        }
    }
    return -1;
}

const Session* replayedSession() { return replaying ? &replay : nullptr; }

bool replayGoesOn() { return replaying && replayRun < replay.frames.size(); }

void takeInputFromWindow() {
    glutReshapeFunc(liveReshape);
    glutKeyboardFunc(liveKey);
    glutSpecialFunc(liveSpecial);
    glutMouseFunc(liveMouse);
    glutMotionFunc(liveMotion);
}

void beginFrame() {
    int64_t step = 0;
    // Kept from frame to frame and swapped with the queue, so a steady frame allocates nothing.
    static std::vector<SessionEvent> events;
    events.clear();
    if (replayedFrame(step, events)) {
        beginFrameClockBy(step);
    } else {
        if (replaying && replay.ended) to.end(0);
        replaying = false;  // the file stopped early: live input from here on
        step = beginFrameClock();
        events.swap(queued);
    }
    if (capture.isOpen()) {
        if (!framesBegun && !capture.size(shownWidth, shownHeight)) captureFailed();
        if (!capture.frame(step)) captureFailed();
        for (const SessionEvent& e : events)
            if (!capture.event(e)) captureFailed();
    }
    framesBegun = true;
    for (const SessionEvent& e : events) handle(e);
}

int endSession() {
    if (!capture.isOpen() || capture.end()) return 0;
    std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", capturePath.c_str(),
                 capture.lastError().c_str());
    return 1;
}
