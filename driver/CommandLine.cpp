// Long options in the GNU manner (--name VALUE or --name=VALUE); X options pass through.
#include "CommandLine.h"

#include "KeyHelp.h"
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

// Largest window side accepted: far beyond any screen, well inside GL's limits.
const int MAX_SIDE = 16384;

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
    if (!parseLong(text.substr(0, x), 1, MAX_SIDE, lw)) return false;
    if (!parseLong(text.substr(x + 1), 1, MAX_SIDE, lh)) return false;
    w = (int)lw;
    h = (int)lh;
    return true;
}

// No longer than the stopwatch's longest step, which would cut it short.
bool parseStep(const std::string& text, double& step) {
    if (text.empty() || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) return false;
    if (value <= 0.0 || value > timer::MAX_STEP) return false;
    step = value;
    return true;
}

// The setting a long option without a value switches on; null for the other options.
bool* flagFor(const std::string& name, CommandLine& line) {
    if (name == "--stats") return &line.stats;
    return nullptr;
}

std::string badValue(const std::string& option, const std::string& value, const char* wanted) {
    return "invalid value '" + value + "' for " + option + " (" + wanted + ")";
}
}  // namespace

CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& line,
                                   std::string& error) {
    line.glutArgs.assign(1, argc > 0 ? argv[0] : const_cast<char*>("quorvel"));
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
            continue;
        }
        if (arg == "--help") return SHOW_HELP;
        if (arg == "--version") return SHOW_VERSION;
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
        if (bool* flag = flagFor(name, line)) {
            if (inlineValue) {
                error = "option '" + name + "' doesn't allow an argument";
                return USAGE_ERROR;
            }
            *flag = true;
            continue;
        }
        static const char* const WITH_VALUE[] = {"--size", "--frames", "--screenshot", "--record",
                                                 "--seed", "--step", "--data"};
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
                error = badValue(name, value, "expected WIDTHxHEIGHT, each 1 to 16384");
                return USAGE_ERROR;
            }
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
                error = badValue(name, value, "expected seconds above 0, at most 0.25");
                return USAGE_ERROR;
            }
        } else if (value.empty()) {
            error = badValue(name, value, "expected a path");
            return USAGE_ERROR;
        } else if (name == "--screenshot") {
            line.screenshot = value;
        } else if (name == "--record") {
            line.recordFolder = value;
        } else {
            line.imageFolder = value;
        }
    }
    return RUN_SCENE;
}

std::string versionText() { return std::string("quorvel ") + QORVEL_VERSION + "\n"; }

std::string helpText() {
    std::string help =
           "Usage: quorvel [OPTION]... [X OPTION]...\n"
           "Show the Quorvel scene: two figures on a height-map terrain under a moving sky,\n"
           "a standing fire and fireworks every ten seconds.\n"
           "\n"
           "Options:\n"
           "  --size WxH          window size in pixels (default 800x800)\n"
           "  --frames N          draw N frames, then end as Escape does (default: run until\n"
           "                      Escape)\n"
           "  --screenshot FILE   when the program ends, save the last frame as a PNG\n"
           "                      (default: none)\n"
           "  --record DIR        save every frame as DIR/frame-000001.png, ... (default: none)\n"
           "  --seed N            take every random choice from seed N, so the same seed makes\n"
           "                      the same choices (default: seeded from the clock)\n"
           "  --step SECONDS      advance timed motion by exactly SECONDS per frame, at most\n"
           "                      0.25 (default: follow the wall clock)\n"
           "  --data DIR          read the images from DIR (default: $QORVEL_DATA, then tga/\n"
           "                      beside the program, then the installed share/quorvel)\n"
           "  --stats             at the end, print frames per second, CPU time and page\n"
           "                      faults per frame\n"
           "  --help              show this help and exit\n"
           "  --version           show the version and exit\n"
           "\n"
           "X options such as -display NAME and -geometry WxH+X+Y are handed to GLUT.\n"
           "With --seed and --step, the same command line draws the same frames.\n"
           "\n"
           "Keys (letters are case-sensitive):\n";
    for (int i = 0; i < KEY_HELP_ROWS; i++) {
        std::string row = std::string("  ") + KEY_HELP[i].keys;
        row.resize(16, ' ');
        help += row + KEY_HELP[i].what + "\n";
    }
    help += "\n"
           "Exit status: 0 on Escape or after --frames, 1 if an image cannot be read or a\n"
           "picture cannot be written, 2 on a usage error.\n";
    return help;
}
