// Test helper: TGA files with chosen header fields, written into a per-process temp dir.
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace tgatest {

namespace {

// Death-test children share the directory, so only the creating process removes it.
struct TempDir {
    std::string path;
    pid_t owner = 0;
    ~TempDir() {
        if (!path.empty() && owner == getpid()) {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    }
};

TempDir& tempDir() {
    static TempDir dir;
    if (dir.path.empty()) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "quorvel_tga_XXXXXX").string();
        if (mkdtemp(tmpl.data()) != nullptr) {
            dir.path = tmpl;
            dir.owner = getpid();
        }
    }
    return dir;
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v & 0xff));
    out.push_back(uint8_t(v >> 8));
}

}  // namespace

std::string tempPath(const std::string& name) {
    return tempDir().path + "/" + name;
}

std::string writeTga(const std::string& path, const TgaHeader& h,
                     const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> bytes;
    bytes.push_back(h.idLength);
    bytes.push_back(h.colorMapType);
    bytes.push_back(h.imageType);
    put16(bytes, h.colorMapFirst);
    put16(bytes, h.colorMapLength);
    bytes.push_back(h.colorMapEntrySize);
    put16(bytes, h.xOrigin);
    put16(bytes, h.yOrigin);
    put16(bytes, h.width);
    put16(bytes, h.height);
    bytes.push_back(h.depth);
    bytes.push_back(h.descriptor);
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());

    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) ok = (fclose(f) == 0) && ok;
    if (!ok) ADD_FAILURE() << "cannot write test image " << path;
    return path;
}

std::string writeTga(const std::string& path, int width, int height, int depth,
                     const std::vector<uint8_t>& pixels) {
    TgaHeader h;
    h.width = uint16_t(width);
    h.height = uint16_t(height);
    h.depth = uint8_t(depth);
    return writeTga(path, h, pixels);
}

std::string writeFlatTga(const std::string& path, int width, int height, int depth,
                         uint8_t value) {
    std::vector<uint8_t> pixels((size_t)width * height * (depth / 8), value);
    return writeTga(path, width, height, depth, pixels);
}

}  // namespace tgatest
