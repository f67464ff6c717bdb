// Test support: run the real program (or any shell command) and collect what it printed.
#ifndef QORVEL_TESTS_PROCESS_H
#define QORVEL_TESTS_PROCESS_H

#include <string>

namespace testproc {

struct Result {
    int status;          // exit status, or 128 + signal number when killed by a signal
    std::string output;  // standard output and standard error together
};

// Runs `command` with /bin/sh; standard error is merged into the output.
Result runShell(const std::string& command);

// Wraps a shell command so it runs on an X server of its own.
std::string onOwnDisplay(const std::string& command);

// Shell code that defines the waiting helpers of tests/support/wait.sh (wait_for and others).
std::string waitHelpers();

// Starts the program in `dir` with the (already quoted) arguments on an X server of its own,
// runs the shell snippet `actions` once its window shows ($win names it, $out the file that
// collects the program's output so far, with the wait helpers at hand), and waits for the
// program to end (a hang ends by a timeout with status 124).
Result runProgramWithActions(const std::string& dir, const std::string& args,
                             const std::string& actions);

// Path of the built program, next to the test binary.
std::string programPath();

// A fresh empty directory under the system's temporary folder.
std::string makeTempDir();

// Single-quotes a string for the shell.
std::string quote(const std::string& s);

// A fresh empty directory, removed with everything in it when the object goes.
struct TempDir {
    std::string path = makeTempDir();
    ~TempDir() { runShell("rm -rf " + quote(path)); }
};


}  // namespace testproc

#endif
