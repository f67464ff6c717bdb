// Frame output. A failed write is reported on standard error once; a recording ends at the
// first frame it cannot write.
#include "FrameOutput.h"

#include "Console.h"
#include "FrameCapture.h"
#include "PngFile.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
std::string recordFolder;
long recorded = 0;
long recordLast = 0;
bool recordFailed = false;
std::string endPath;
bool snapshotWanted = false;
FramePicture picture;

void reportWriteFailure(const std::string& path, const std::string& error) {
    std::fprintf(stderr, "quorvel: cannot write '%s': %s\n", path.c_str(), error.c_str());
}

bool isFrameFile(const char* name) {
    const size_t n = std::strlen(name);
    return std::strncmp(name, "frame-", 6) == 0 && n > 10 && std::strcmp(name + n - 4, ".png") == 0;
}

// Whether the folder can be read and holds no frame-*.png, which a new run would mix with its own.
bool holdsNoFrames(const std::string& folder, std::string& error) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bool clear = true;
    while (const dirent* entry = readdir(dir)) clear = clear && !isFrameFile(entry->d_name);
    closedir(dir);
    if (!clear) error = "it already holds frames (frame-*.png) of another recording";
    return clear;
}

std::string inCurrentDirectory(const std::string& name) {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr) return name;
    return std::string(cwd) + "/" + name;
}

// quorvel-YYYYMMDD-HHMMSS.png in the current directory, with -2, -3, ... when that name is
// taken by anything, a dangling link included: the file is created, never opened.
void saveSnapshot() {
    char stamp[32];
    const time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "quorvel-%Y%m%d-%H%M%S", &local);
    const std::string base = inCurrentDirectory(stamp);
    std::string path = base + ".png", error;
    NewPngResult result = NEW_PNG_NAME_TAKEN;
    // A bound on the names tried, so a folder that refuses every name cannot hold the frame.
    for (int n = 2; n <= 10000; n++) {
        result = writeNewPng(path, picture.width, picture.height, picture.rgb.data(), error);
        if (result != NEW_PNG_NAME_TAKEN) break;
        path = base + "-" + std::to_string(n) + ".png";
    }
    if (result == NEW_PNG_WRITTEN) tellUser("Saved %s\n", path.c_str());
    else reportWriteFailure(path, error);
}

bool saveRecordedFrame() {
    const std::string name = recordedFrameName(++recorded, recordLast);
    if (name.empty()) {
        std::fprintf(stderr, "quorvel: cannot record more than 999999 frames into '%s' "
                     "without --frames\n", recordFolder.c_str());
        return false;
    }
    const std::string path = recordFolder + "/" + name;
    std::string error;
    if (writeNewPng(path, picture.width, picture.height, picture.rgb.data(), error) ==
        NEW_PNG_WRITTEN)
        return true;
    reportWriteFailure(path, error);
    return false;
}
}  // namespace

std::string recordedFrameName(long number, long lastFrame) {
    if (lastFrame == 0 && number > 999999) return "";
    const int digits = std::max(6, (int)std::to_string(lastFrame).size());
    char name[48];
    std::snprintf(name, sizeof name, "frame-%0*ld.png", digits, number);
    return name;
}

bool recordFramesTo(const std::string& folder, long lastFrame, std::string& error) {
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "not a directory";
        return false;
    }
    // A name no frame takes: the probe shows the folder takes new files.
    if (!holdsNoFrames(folder, error) || !canWritePng(folder + "/frame-000000.png", error))
        return false;
    recordFolder = folder;
    recorded = 0;
    recordLast = lastFrame;
    return true;
}

bool screenshotAtEnd(const std::string& path, std::string& error) {
    if (!canWritePng(path, error)) return false;
    endPath = path;
    return true;
}

void requestSnapshot() { snapshotWanted = true; }

bool captureFrame(int width, int height) {
    const bool recording = !recordFolder.empty();
    if (!recording && !snapshotWanted) return true;
    readFrame(picture, width, height);
    if (snapshotWanted) {
        snapshotWanted = false;
        saveSnapshot();
    }
    if (recording && !saveRecordedFrame()) {
        recordFolder.clear();
        recordFailed = true;
    }
    return !recordFailed;
}

int finishFrameOutput(bool frameHeld, int width, int height) {
    const int status = recordFailed ? 1 : 0;
    if (endPath.empty()) return status;
    if (!frameHeld) {
        reportWriteFailure(endPath, "no frame was drawn");
        return 1;
    }
    readFrame(picture, width, height);
    std::string error;
    if (!saveFrame(picture, endPath, error)) {
        reportWriteFailure(endPath, error);
        return 1;
    }
    tellUser("Saved %s\n", endPath.c_str());
    return status;
}
