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
