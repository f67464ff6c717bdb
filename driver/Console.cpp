// Progress lines are printed with plain printf from many modules. Rather than route each of
// them through a function, --quiet points file descriptor 1 at /dev/null, which silences them
// all at once, and keeps a duplicate of the real standard output for tellUser.
#include "Console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
FILE* userOutput = nullptr;  // null: standard output itself, in order with the progress lines
}

bool quietProgress(std::string& error) {
    std::fflush(stdout);
    const int kept = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    FILE* out = kept >= 0 ? fdopen(kept, "w") : nullptr;
    if (null < 0 || out == nullptr || dup2(null, STDOUT_FILENO) < 0) {
        error = std::strerror(errno);
        if (out != nullptr) std::fclose(out);
        else if (kept >= 0) close(kept);
        if (null >= 0) close(null);
        return false;
    }
    close(null);
    std::setvbuf(out, nullptr, _IOLBF, 0);  // each line out at once, as standard output's are
    userOutput = out;
    return true;
}

void tellUser(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(userOutput != nullptr ? userOutput : stdout, format, args);
    va_end(args);
}
