// Runs shell commands for the end-to-end tests.
#include "support/process.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace testproc {

Result runShell(const std::string& command) {
    Result result{-1, ""};
    std::string full = "( " + command + " ) 2>&1";
    FILE* pipe = popen(full.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    int raw = pclose(pipe);
    if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    else if (WIFSIGNALED(raw)) result.status = 128 + WTERMSIG(raw);
    return result;
}

std::string onOwnDisplay(const std::string& command) {
    return quote(std::string(QORVEL_SOURCE_DIR) + "/tests/support/own_display.sh") +
           " bash -c " + quote(command);
}

std::string waitHelpers() {
    return ". " + quote(std::string(QORVEL_SOURCE_DIR) + "/tests/support/wait.sh") + "; ";
}

Result runProgramWithActions(const std::string& dir, const std::string& args,
                             const std::string& actions) {
    std::string cmd =
        waitHelpers() + "cd " + quote(dir) + " && { out=$(mktemp); timeout 60 " +
        quote(programPath()) + " " + args + " >\"$out\" 2>&1 & pid=$!; " +
        "program_gone() { ! kill -0 $pid 2>/dev/null; }; " +
        "window_shown() { win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | " +
        "head -n 1); [ -n \"$win\" ]; }; " +
        "wait_for eval 'program_gone || window_shown'; " +
        "if [ -n \"$win\" ]; then " + actions + "; fi; wait $pid; status=$?; " +
        "cat \"$out\"; rm -f \"$out\"; exit $status; }";
    return runShell(onOwnDisplay(cmd));
}

std::string programPath() { return std::string(QORVEL_BINARY_DIR) + "/quorvel"; }

std::string makeTempDir() {
    char pattern[] = "/tmp/quorvel-test-XXXXXX";
    char* dir = mkdtemp(pattern);
    if (dir == nullptr) throw std::runtime_error("mkdtemp failed");
    return dir;
}

std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

}  // namespace testproc
