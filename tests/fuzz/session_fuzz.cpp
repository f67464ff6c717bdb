// libFuzzer target for the capture reader: any text either reads as a whole session or is
// refused with a reason and a line inside the text.
#include "SessionFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Session session;
    int line = 0;
    std::string error;
    const bool read = parseSession(text, session, line, error);
    long frames = 0;
    for (const SessionFrames& run : session.frames) frames += run.count;
    const long lines = 1 + (long)std::count(text.begin(), text.end(), '\n');
    if (read ? frames != session.frameCount : (error.empty() || line < 1 || line > lines)) abort();
    return 0;
}
