// The program's command line: its own long options, read before any window opens, and the X
// options handed on to GLUT. No GL here.
#ifndef QORVEL_COMMANDLINE_H
#define QORVEL_COMMANDLINE_H

#include <string>
#include <vector>

struct CommandLine {
    int width = 800;
    int height = 800;
    long frames = 0;              // 0: run until Escape
    std::string screenshot;       // "": none
    std::string recordFolder;     // "": none
    std::string imageFolder;      // "": looked up (ImageFolder.h)
    bool seeded = false;          // false: the C library's generator as it starts
    unsigned seed = 0;
    double step = 0.0;            // 0: timed motion follows the wall clock
    bool quiet = false;           // true: no progress lines (Console.h)
    int maxFps = -1;              // 0: no limit; -1: chosen at start (FramePacer.h)
    std::string captureFile;      // "": no capture
    std::string replayFile;       // "": a live session
    bool stats = false;           // print the frames' cost at the end
    bool headless = false;        // no window and no X server: frames drawn off screen only
    std::vector<char*> glutArgs;  // the program's name and the X options, for glutInit
};

enum CommandLineAction { RUN_SCENE, SHOW_HELP, SHOW_VERSION, USAGE_ERROR };

// Reads argv into `line`; on USAGE_ERROR `error` holds the one line that names the problem.
CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& line, std::string& error);

std::string helpText();
std::string versionText();

#endif
