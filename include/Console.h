// Where the program's own lines go: progress on standard output, unless --quiet keeps only
// errors (standard error) and the lines the user asked for (tellUser). No GL here.
#ifndef QORVEL_CONSOLE_H
#define QORVEL_CONSOLE_H

#include <string>

// From now on progress lines go nowhere; tellUser still reaches the real standard output.
// False, with the reason in `error`, when it cannot be done (the output is then unchanged).
bool quietProgress(std::string& error);

// A line the user asked for, such as the path of a picture just saved: printf-style.
void tellUser(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
