// The capture format, version 1. Text, one record a line, fields apart by spaces; blank lines
// and lines starting with '#' are for people and skipped. Steps are whole microseconds (the
// stopwatch's ticks) written with six decimals, so they read back exactly.
#include "SessionFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

static_assert(CLOCKS_PER_SEC == 1000000, "steps are written as microseconds");

namespace {
// The input records: their word, their values and each value's range.
struct EventSyntax {
    const char* name;
    SessionEventKind kind;
    const char* usage;
    int fields;
    long low[4], high[4];
};
const long FAR = 1000000;  // pointer positions: a drag may leave the window on any side
const EventSyntax EVENTS[] = {
    {"key", EVENT_KEY, "key CODE (0 to 255)", 1, {0}, {255}},
    {"special", EVENT_SPECIAL, "special CODE (0 to 255)", 1, {0}, {255}},
    {"mouse", EVENT_MOUSE, "mouse BUTTON STATE X Y (button 0 to 31, state 0 down or 1 up)", 4,
     {0, 0, -FAR, -FAR}, {31, 1, FAR, FAR}},
    {"motion", EVENT_MOTION, "motion X Y", 2, {-FAR, -FAR}, {FAR, FAR}},
    // The same sides the command line takes: a window under 2 pixels is never drawn.
    {"reshape", EVENT_RESHAPE, "reshape WIDTH HEIGHT (each 2 to 16384)", 2, {2, 2}, {16384, 16384}},
};

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> out;
    std::string::size_type at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos) return out;
        const std::string::size_type stop = line.find_first_of(" \t", at);
        out.push_back(line.substr(at, stop - at));
        at = stop;
    }
}

bool wholeNumber(const std::string& text, long low, long high, long& out) {
    const size_t digitsFrom = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.size() == digitsFrom || text.size() - digitsFrom > 10) return false;
    long long value = 0;
    for (size_t i = digitsFrom; i < text.size(); i++) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    if (digitsFrom) value = -value;
    if (value < low || value > high) return false;
    out = (long)value;
    return true;
}

// Seconds as digits with at most six decimals, read into whole ticks without rounding.
bool stepTicks(const std::string& text, int64_t& ticks) {
    const std::string::size_type dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    if (dot != std::string::npos && fraction.empty()) return false;
    if (fraction.size() > 6) return false;
    long seconds = 0, micro = 0;
    if (!wholeNumber(whole, 0, SESSION_MAX_STEP_TICKS / 1000000, seconds) || whole[0] == '-')
        return false;
    fraction.resize(6, '0');
    if (!wholeNumber(fraction, 0, 999999, micro) || fraction[0] == '-') return false;
    ticks = (int64_t)seconds * 1000000 + micro;
    return ticks <= SESSION_MAX_STEP_TICKS;
}

// Reads one record into the session; false with the reason when it is not a good one.
class Reader {
public:
    explicit Reader(Session& s) : session(s) {}
    bool record(const std::vector<std::string>& f, std::string& error);

private:
    bool frames(const std::vector<std::string>& f, std::string& error);
    Session& session;
    bool seeded = false, sized = false;
};

bool Reader::record(const std::vector<std::string>& f, std::string& error) {
    const std::string& name = f[0];
    if (session.ended) {
        error = "'" + name + "' after 'end'";
        return false;
    }
    if (name == "frame" || name == "frames") return frames(f, error);
    if (name == "end") {
        if (f.size() != 1) error = "'end' takes no values";
        session.ended = true;
        return f.size() == 1;
    }
    long v[4] = {0, 0, 0, 0};
    if (name == "seed" || name == "size") {
        const bool seed = name == "seed";
        if (!session.frames.empty()) error = "'" + name + "' after the first frame";
        else if (seed ? seeded : sized) error = "'" + name + "' given twice";
        else if (seed && (f.size() != 2 || !wholeNumber(f[1], 0, 4294967295L, v[0])))
            error = "expected 'seed N' with N from 0 to 4294967295";
        else if (!seed && (f.size() != 3 || !wholeNumber(f[1], 2, 16384, v[0]) ||
                           !wholeNumber(f[2], 2, 16384, v[1])))
            error = "expected 'size WIDTH HEIGHT', each from 2 to 16384";
        if (!error.empty()) return false;
        if (seed) seeded = true, session.seed = (unsigned)v[0];
        else sized = true, session.width = (int)v[0], session.height = (int)v[1];
        return true;
    }
    for (const EventSyntax& syntax : EVENTS) {
        if (name != syntax.name) continue;
        bool good = (int)f.size() == syntax.fields + 1;
        for (int i = 0; good && i < syntax.fields; i++)
            good = wholeNumber(f[i + 1], syntax.low[i], syntax.high[i], v[i]);
        if (!good) {
            error = std::string("expected '") + syntax.usage + "'";
            return false;
        }
        if (session.frames.empty()) {
            error = "'" + name + "' before the first frame";
            return false;
        }
        session.frames.back().events.push_back(
            {syntax.kind, {(int)v[0], (int)v[1], (int)v[2], (int)v[3]}});
        return true;
    }
    error = "unknown record '" + name + "'";
    return false;
}

bool Reader::frames(const std::vector<std::string>& f, std::string& error) {
    const bool run = f[0] == "frames";
    long count = 1;
    int64_t ticks = 0;
    if (!seeded || !sized) {
        error = "'" + f[0] + "' before the seed and the size";
        return false;
    }
    if (f.size() != (run ? 3u : 2u) || (run && !wholeNumber(f[1], 1, SESSION_MAX_FRAMES, count)) ||
        !stepTicks(f.back(), ticks)) {
        error = run ? "expected 'frames COUNT SECONDS'" : "expected 'frame SECONDS'";
        error += ", SECONDS from 0 to 3600 with at most six decimals";
        return false;
    }
    if (count > SESSION_MAX_FRAMES - session.frameCount) {
        error = "more than 1000000000 frames";
        return false;
    }
    session.frameCount += count;
    session.frames.push_back({ticks, count, {}});
    return true;
}

std::string formatStep(int64_t ticks) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%06lld", (long long)(ticks / 1000000),
                  (long long)(ticks % 1000000));
    return text;
}
}  // namespace

bool parseSession(const std::string& text, Session& session, int& errorLine, std::string& error) {
    session = Session();
    Reader reader(session);
    std::string::size_type at = 0;
    for (int number = 1;; number++) {
        errorLine = number;
        if (at >= text.size()) {
            if (number > 1) return true;
            error = "empty file: a capture starts with 'quorvel-capture 1'";
            return false;
        }
        const std::string::size_type stop = text.find('\n', at);
        if (stop == std::string::npos) {
            error = "the last line has no line end: the file is cut short";
            return false;
        }
        const std::string line = text.substr(at, stop - at);
        at = stop + 1;
        const std::vector<std::string> f = fieldsOf(line);
        if (number == 1) {
            long version = 0;
            if (f.size() == 2 && f[0] == "quorvel-capture" && wholeNumber(f[1], 0, 1L << 30, version)) {
                if (version == SESSION_VERSION) continue;
                error = "format version " + f[1] + " is not known (this program reads version 1)";
            } else {
                error = "not a capture: the first line must be 'quorvel-capture 1'";
            }
            return false;
        }
        if (f.empty() || f[0][0] == '#') continue;
        if (!reader.record(f, error)) return false;
    }
}

bool readSessionFile(const std::string& path, Session& session, std::string& error) {
    // Read whole, up to a size no capture comes near, so a device or an endless pipe ends too.
    const size_t LIMIT = 256u << 20;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string text;
    char buffer[65536];
    size_t n = 0;
    while (text.size() <= LIMIT && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, n);
    const int failed = std::ferror(in) ? errno : 0;
    std::fclose(in);
    if (failed != 0 || text.size() > LIMIT) {
        error = "cannot read '" + path + "': " +
                (failed != 0 ? std::strerror(failed) : "larger than 256 MiB");
        return false;
    }
    int line = 0;
    if (parseSession(text, session, line, error)) return true;
    error = path + ":" + std::to_string(line) + ": " + error;
    return false;
}

SessionWriter::~SessionWriter() {
    if (file != nullptr) std::fclose(file);
}

bool SessionWriter::open(const std::string& path, unsigned seed, std::string& error) {
    // Written in place as a new file, not renamed from a temporary one at the end: a session
    // that crashes must still leave its capture. O_EXCL: nothing that exists is ever touched.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 || (file = fdopen(fd, "w")) == nullptr) {
        error = std::strerror(errno);
        if (fd >= 0) close(fd);
        return false;
    }
    if (line("quorvel-capture 1") && line("seed " + std::to_string(seed))) return true;
    error = failure;
    return false;
}

bool SessionWriter::line(const std::string& text) {
    if (file == nullptr) return false;
    if (std::fputs((text + "\n").c_str(), file) >= 0 && std::fflush(file) == 0) return true;
    failure = std::strerror(errno);
    std::fclose(file);
    file = nullptr;
    return false;
}

bool SessionWriter::size(int width, int height) {
    return line("size " + std::to_string(width) + " " + std::to_string(height));
}

bool SessionWriter::frame(int64_t stepTicks) { return line("frame " + formatStep(stepTicks)); }

bool SessionWriter::event(const SessionEvent& e) {
    for (const EventSyntax& syntax : EVENTS) {
        if (syntax.kind != e.kind) continue;
        std::string text = syntax.name;
        for (int i = 0; i < syntax.fields; i++) text += " " + std::to_string(e.values[i]);
        return line(text);
    }
    return false;
}

bool SessionWriter::end() {
    const bool written = line("end");
    if (file != nullptr && std::fclose(file) != 0 && written) {
        failure = std::strerror(errno);
        file = nullptr;
        return false;
    }
    file = nullptr;
    return written;
}
