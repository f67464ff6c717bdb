// Frame output. A failed write is reported on standard error; recording stops at the first
// failure rather than repeating the message every frame.
#include "FrameOutput.h"

#include "Console.h"
#include "FrameCapture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
std::string recordFolder;
long recorded = 0;
std::string endPath;
bool snapshotWanted = false;
FramePicture picture;

bool save(const std::string& path) {
    std::string error;
    if (saveFrame(picture, path, error)) return true;
    std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", path.c_str(), error.c_str());
    return false;
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// quorvel-YYYYMMDD-HHMMSS.png, with -2, -3, ... when that second already has a picture.
std::string snapshotName() {
    char stamp[32];
    const time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "quorvel-%Y%m%d-%H%M%S", &local);
    std::string name = std::string(stamp) + ".png";
    for (int n = 2; exists(name); n++) name = std::string(stamp) + "-" + std::to_string(n) + ".png";
    return name;
}

std::string inCurrentDirectory(const std::string& name) {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr) return name;
    return std::string(cwd) + "/" + name;
}
}  // namespace

bool recordFramesTo(const std::string& folder, std::string& error) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 && mkdir(folder.c_str(), 0777) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "not a directory";
        return false;
    }
    recordFolder = folder;
    recorded = 0;
    return true;
}

void screenshotAtEnd(const std::string& path) { endPath = path; }

bool wantsFinalFrame() { return !endPath.empty(); }

void requestSnapshot() { snapshotWanted = true; }

void captureFrame(int width, int height, bool last) {
    const bool recording = !recordFolder.empty();
    if (!recording && !snapshotWanted && !(last && !endPath.empty())) return;
    readFrame(picture, width, height);
    if (recording) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%06ld.png", ++recorded);
        if (!save(recordFolder + name)) recordFolder.clear();
    }
    if (snapshotWanted) {
        snapshotWanted = false;
        const std::string path = inCurrentDirectory(snapshotName());
        if (save(path)) tellUser("Saved %s\n", path.c_str());
    }
}

int finishFrameOutput() {
    if (endPath.empty()) return 0;
    if (picture.rgb.empty()) {
        std::fprintf(stderr, "quorvel: cannot write '%s': no frame was drawn\n", endPath.c_str());
        return 1;
    }
    return save(endPath) ? 0 : 1;
}
