// Where the scene's images are read from. The driver picks the folder once at start; until then
// (tests run from the source tree among them) images come from tga/ under the current directory.
#ifndef QORVEL_IMAGEFOLDER_H
#define QORVEL_IMAGEFOLDER_H

#include <string>

// The path of one image in the folder in use, e.g. imagePath("moon.tga").
std::string imagePath(const std::string& name);

// Reads images from `folder` from now on. A folder that is the current directory's tga/ is
// kept as the relative "tga", so messages read as they always have from the source tree.
void useImageFolder(const std::string& folder);

// The first of: the command line's folder, the environment's, tga/ beside the executable (a
// build tree), the installed folder relative to the executable's (so a moved install still
// finds it). Empty or null stands for "not given"; the last two count only if they exist.
// Nothing found gives "tga", the current directory's.
std::string findImageFolder(const std::string& fromCommandLine, const char* fromEnvironment,
                            const std::string& executableDir,
                            const std::string& installedFromExecutable);

// The folder holding the running program, or "" if the system cannot tell.
std::string executableDir();

#endif
