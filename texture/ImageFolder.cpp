// Image folder look-up and the folder in use.
#include "ImageFolder.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string folderInUse = "tga";

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string canonical(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return "";
    return resolved;
}
}  // namespace

std::string imagePath(const std::string& name) { return folderInUse + "/" + name; }

void useImageFolder(const std::string& folder) {
    const std::string here = canonical("tga");
    folderInUse = (!here.empty() && canonical(folder) == here) ? "tga" : folder;
}

std::string findImageFolder(const std::string& fromCommandLine, const char* fromEnvironment,
                            const std::string& executableDir,
                            const std::string& installedFromExecutable) {
    if (!fromCommandLine.empty()) return fromCommandLine;
    if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') return fromEnvironment;
    if (!executableDir.empty()) {
        const std::string beside = executableDir + "/tga";
        if (isDirectory(beside)) return beside;
        const std::string installed = executableDir + "/" + installedFromExecutable;
        if (isDirectory(installed)) return canonical(installed);
    }
    return "tga";
}

std::string executableDir() {
    const std::string self = canonical("/proc/self/exe");
    const std::string::size_type slash = self.rfind('/');
    if (slash == std::string::npos) return "";
    return self.substr(0, slash);
}
