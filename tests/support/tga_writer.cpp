// Test helper: TGA files with chosen header bytes, written into a per-process temp dir.
#include "support/tga_writer.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tgatest {

std::string tempPath(const std::string& name) {
    static testproc::TempDir dir;
    return dir.path + "/" + name;
}

std::vector<uint8_t> tgaHeader(int width, int height, int depth) {
    return {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8),
            uint8_t(height), uint8_t(height >> 8), uint8_t(depth), 0};
}

std::string writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    // An empty vector may hold no buffer at all, which fwrite must not be handed.
    bool ok = f && (bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    if (f) ok = (fclose(f) == 0) && ok;
    if (!ok) ADD_FAILURE() << "cannot write test file " << path;
    return path;
}

std::string writeTga(const std::string& path, int width, int height, int depth,
                     const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> bytes = tgaHeader(width, height, depth);
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return writeFile(path, bytes);
}

}  // namespace tgatest
