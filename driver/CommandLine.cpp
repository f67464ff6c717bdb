// Long options in the GNU manner (--name VALUE or --name=VALUE); X options pass through.
#include "CommandLine.h"

#include "KeyTable.h"
#include "timer.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#ifndef QORVEL_VERSION
#define QORVEL_VERSION "unknown"
#endif

namespace {
// What glutInit itself understands, and whether each takes a value.
struct XOption {
    const char* name;
    bool takesValue;
};
const XOption X_OPTIONS[] = {{"-display", true}, {"-geometry", true}, {"-iconic", false},
                             {"-indirect", false}, {"-direct", false}, {"-gldebug", false},
                             {"-sync", false}};

// Options that take no value, with their one-letter forms ("" for none). Each sets a bool of
// CommandLine.
struct Flag {
    const char* name;
    const char* letter;
    bool CommandLine::*field;
};
const Flag FLAGS[] = {{"--quiet", "-q", &CommandLine::quiet},
                      {"--stats", "", &CommandLine::stats},
                      {"--headless", "", &CommandLine::headless}};

const Flag* findFlag(const std::string& name) {
    for (const Flag& f : FLAGS)
        if (name == f.name || (*f.letter != '\0' && name == f.letter)) return &f;
    return nullptr;
}

// Largest window side accepted: far beyond any screen, well inside GL's limits.
const int MAX_SIDE = 16384;
// Highest frame limit accepted: beyond any display's rate.
const long MAX_FPS = 10000;
// Smallest: an X server may call a window one pixel wide or high fully covered, and GLUT
// never draws a covered window, so such a run would wait for its frames forever.
const int MIN_SIDE = 2;

const XOption* findXOption(const char* arg) {
    for (const XOption& x : X_OPTIONS)
        if (std::strcmp(arg, x.name) == 0) return &x;
    return nullptr;
}

bool parseLong(const std::string& text, long low, long high, long& out) {
    if (text.empty() || text[0] == '+' || text[0] == '-' || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

bool parseSize(const std::string& text, int& w, int& h) {
    const std::string::size_type x = text.find('x');
    if (x == std::string::npos) return false;
    long lw = 0, lh = 0;
    if (!parseLong(text.substr(0, x), MIN_SIDE, MAX_SIDE, lw)) return false;
    if (!parseLong(text.substr(x + 1), MIN_SIDE, MAX_SIDE, lh)) return false;
    w = (int)lw;
    h = (int)lh;
    return true;
}

// No longer than the stopwatch's longest step, which would cut it short, and a whole number
// of the clock's ticks (microseconds), so every frame advances by exactly the step given.
bool parseStep(const std::string& text, double& step) {
    if (text.empty() || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) return false;
    if (value <= 0.0 || value > timer::MAX_STEP) return false;
    const double ticks = value * CLOCKS_PER_SEC;
    if (std::fabs(ticks - std::round(ticks)) > 1e-6 || std::round(ticks) < 1.0) return false;
    step = value;
    return true;
}

// A replay brings its own seed, steps and window size; asking for others as well is a mistake.
bool replayConflict(const CommandLine& line, std::string& error) {
    const CommandLine defaults;
    const char* clash = line.seeded ? "--seed"
                        : line.step > 0.0 ? "--step"
                        : (line.width != defaults.width || line.height != defaults.height) ? "--size"
                                                                                           : nullptr;
    if (line.replayFile.empty() || clash == nullptr) return false;
    error = std::string("--replay takes the seed, the steps and the size from its file: leave out ") +
            clash;
    return true;
}

// Without a window there is no input to capture and nothing to look at: such a run must make
// something or play something.
bool headlessConflict(const CommandLine& line, std::string& error) {
    if (!line.headless) return false;
    if (!line.captureFile.empty())
        error = "--headless has no window whose input --capture could write down: leave out "
                "--capture";
    else if (line.frames == 0 && line.recordFolder.empty() && line.screenshot.empty() &&
             line.replayFile.empty())
        error = "--headless needs --frames, --record, --screenshot or --replay";
    return !error.empty();
}

// The size part of an X geometry, WxH[+X+Y]; true with size false when it gives a position only.
bool parseGeometry(std::string text, bool& size, int& w, int& h) {
    if (!text.empty() && text[0] == '=') text.erase(0, 1);  // X allows "=WxH"
    const std::string part = text.substr(0, text.find_first_of("+-"));
    size = !part.empty();
    return !size || parseSize(part, w, h);
}

std::string badValue(const std::string& option, const std::string& value, const char* wanted) {
    return "invalid value '" + value + "' for " + option + " (" + wanted + ")";
}
}  // namespace

CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& line,
                                   std::string& error) {
    line.glutArgs.assign(1, argc > 0 ? argv[0] : const_cast<char*>("quorvel"));
    bool sizeGiven = false, geometrySize = false;
    int geometryWidth = 0, geometryHeight = 0;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (const XOption* x = findXOption(argv[i])) {
            line.glutArgs.push_back(argv[i]);
            if (x->takesValue) {
                if (i + 1 >= argc) {
                    error = "option '" + arg + "' requires an argument";
                    return USAGE_ERROR;
                }
                line.glutArgs.push_back(argv[++i]);
            }
            if (arg == "-geometry" &&
                !parseGeometry(argv[i], geometrySize, geometryWidth, geometryHeight)) {
                error = badValue(arg, argv[i], "expected WIDTHxHEIGHT+X+Y, each side 2 to 16384");
                return USAGE_ERROR;
            }
            continue;
        }
        if (arg == "--help" || arg == "-h") return SHOW_HELP;
        if (arg == "--version") return SHOW_VERSION;
        if (const Flag* f = findFlag(arg)) {
            line.*(f->field) = true;
            continue;
        }
        if (arg.empty()) {
            error = "unexpected empty argument ''";
            return USAGE_ERROR;
        }
        if (arg.compare(0, 2, "--") != 0 || arg.size() == 2) {
            error = arg.compare(0, 1, "-") == 0 ? "unrecognized option '" + arg + "'"
                                                : "unexpected argument '" + arg + "'";
            return USAGE_ERROR;
        }

        std::string name = arg, value;
        bool inlineValue = false;
        const std::string::size_type eq = arg.find('=');
        if (eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        if (inlineValue && findFlag(name) != nullptr) {
            error = "option '" + name + "' doesn't allow an argument";
            return USAGE_ERROR;
        }
        static const char* const WITH_VALUE[] = {"--size", "--frames", "--screenshot", "--record",
                                                 "--seed", "--step", "--data", "--max-fps",
                                                 "--capture", "--replay"};
        bool known = false;
        for (const char* n : WITH_VALUE) known = known || name == n;
        if (!known) {
            error = "unrecognized option '" + name + "'";
            return USAGE_ERROR;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = "option '" + name + "' requires an argument";
                return USAGE_ERROR;
            }
            value = argv[++i];
        }

        long number = 0;
        if (name == "--size") {
            if (!parseSize(value, line.width, line.height)) {
                error = badValue(name, value, "expected WIDTHxHEIGHT, each 2 to 16384");
                return USAGE_ERROR;
            }
            sizeGiven = true;
        } else if (name == "--frames") {
            if (!parseLong(value, 1, 1000000000L, number)) {
                error = badValue(name, value, "expected a whole number of frames, at least 1");
                return USAGE_ERROR;
            }
            line.frames = number;
        } else if (name == "--seed") {
            if (!parseLong(value, 0, 4294967295L, number)) {
                error = badValue(name, value, "expected a whole number from 0 to 4294967295");
                return USAGE_ERROR;
            }
            line.seeded = true;
            line.seed = (unsigned)number;
        } else if (name == "--step") {
            if (!parseStep(value, line.step)) {
                error = badValue(name, value,
                                 "expected seconds from 0.000001 to 0.25, in whole microseconds");
                return USAGE_ERROR;
            }
        } else if (name == "--max-fps") {
            if (!parseLong(value, 0, MAX_FPS, number)) {
                error = badValue(name, value, "expected a whole number from 0 to 10000");
                return USAGE_ERROR;
            }
            line.maxFps = (int)number;
        } else if (value.empty()) {
            error = badValue(name, value, "expected a path");
            return USAGE_ERROR;
        } else if (name == "--screenshot") {
            line.screenshot = value;
        } else if (name == "--record") {
            line.recordFolder = value;
        } else if (name == "--capture") {
            line.captureFile = value;
        } else if (name == "--replay") {
            line.replayFile = value;
        } else {
            line.imageFolder = value;
        }
    }
    // GLUT takes the size given to it after -geometry, so -geometry's size is passed on here.
    if (geometrySize && !sizeGiven) {
        line.width = geometryWidth;
        line.height = geometryHeight;
    }
    return replayConflict(line, error) || headlessConflict(line, error) ? USAGE_ERROR : RUN_SCENE;
}

std::string versionText() { return std::string("quorvel ") + QORVEL_VERSION + "\n"; }

std::string helpText() {
    std::string help =
           "Usage: quorvel [OPTION]... [X OPTION]...\n"
           "Show the Quorvel scene: two figures on a height-map terrain under a moving sky,\n"
           "a standing fire and fireworks every ten seconds.\n"
           "\n"
           "Options:\n"
           "  --size WxH          window size in pixels (default 800x800), each side from 2\n"
           "                      to 16384; -geometry WxH sets it too, but --size wins\n"
           "  --frames N          draw N frames, then end as Escape does (default: run until\n"
           "                      Escape)\n"
           "  --screenshot FILE   when the program ends, save the last frame as a PNG\n"
           "                      (default: none)\n"
           "  --record DIR        save every frame as DIR/frame-000001.png, ...; DIR must\n"
           "                      hold no frames yet (default: none)\n"
           "  --seed N            take every random choice from seed N, so the same seed makes\n"
           "                      the same choices (default: seeded from the clock)\n"
           "  --step SECONDS      advance timed motion by exactly SECONDS per frame, in\n"
           "                      whole microseconds, at most 0.25 (default: the wall clock)\n"
           "  --max-fps N         draw at most N frames a second, in step with the display where\n"
           "                      it allows; 0 for no limit (default: the display's rate, or\n"
           "                      60; a replay's own pace; no limit with --frames, --record\n"
           "                      or --headless)\n"
           "  --capture FILE      write the session to FILE as it runs: the seed, the window\n"
           "                      size, each frame's time step and every key, mouse and\n"
           "                      resize event; FILE must not exist (default: none)\n"
           "  --replay FILE       play a captured session again, frame for frame, with the\n"
           "                      seed, steps, size and input from FILE, each frame shown\n"
           "                      when its captured time comes; live input is ignored but\n"
           "                      Escape; where FILE stops without 'end', live input takes\n"
           "                      over (default: none; the format is below)\n"
           "  --headless          draw without a window or an X server (EGL), for --frames,\n"
           "                      --record, --screenshot or --replay; the same pictures as\n"
           "                      in a window; no --capture, and a replay's F1, F2, F11\n"
           "                      and F12 do nothing\n"
           "  --data DIR          read the images from DIR (default: $QORVEL_DATA, then tga/\n"
           "                      beside the program, then the installed share/quorvel)\n"
           "  -q, --quiet         print only errors and the lines asked for, such as\n"
           "                      \"Saved PATH\" (default: also progress lines)\n"
           "  --stats             at the end, print the frames drawn, frames per second, CPU\n"
           "                      time and page faults per frame\n"
           "  -h, --help          show this help and exit\n"
           "  --version           show the version and exit\n"
           "\n"
           "X options such as -display NAME and -geometry WxH+X+Y are handed to GLUT.\n"
           "With --seed and --step, the same command line draws the same frames; a replay\n"
           "draws the frames of the session it was captured from.\n"
           "While the window is hidden or covered no frames are drawn, except with --frames or\n"
           "--record, whose frames are drawn off screen whatever the window shows.\n"
           "\n"
           "Keys (" + std::string(KEY_TABLE_NOTE) + "):\n";
    for (int i = 0; i < KEY_TABLE_ROWS; i++) {
        std::string row = std::string("  ") + KEY_TABLE[i].keys;
        row.resize(16, ' ');
        help += row + KEY_TABLE[i].help + "\n";
    }
    help += "\n"
           "A capture is text, one record a line: 'quorvel-capture 1', 'seed N', 'size W H',\n"
           "then 'frame SECONDS' where each frame begins, followed by the input handled at\n"
           "its start ('key CODE', 'special CODE', 'mouse BUTTON STATE X Y', 'motion X Y',\n"
           "'reshape W H'), and 'end' where the session ended. Lines starting with '#' are\n"
           "comments; 'frames COUNT SECONDS' stands for COUNT frames in a row.\n"
           "\n"
           "Every way out (Escape, --frames, the close button, Ctrl-C, SIGTERM, a replay's\n"
           "end, a failure) ends the capture, saves the last frame drawn as the --screenshot\n"
           "picture and prints --stats, in that order.\n"
           "\n"
           "Exit status:\n"
           "  0    on Escape, the window's close button or after --frames\n"
           "  1    if an image cannot be read, the display (or, headless, EGL) cannot be\n"
           "       opened, a picture, recorded frame or capture cannot be written, or a\n"
           "       replay file is bad\n"
           "  2    on a usage error\n"
           "  130  on Ctrl-C (SIGINT)\n"
           "  143  on SIGTERM\n";
    return help;
}
