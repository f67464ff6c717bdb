// Test helper: writes TGA files (any header fields, raw pixel bytes) into a per-process temp dir.
#ifndef QORVEL_TESTS_TGA_WRITER_H
#define QORVEL_TESTS_TGA_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

namespace tgatest {

// The 18 header bytes. The defaults form the plain uncompressed true-colour header the loader
// accepts; change single fields to build rejected files.
struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;
    uint8_t imageType = 2;
    uint16_t colorMapFirst = 0;
    uint16_t colorMapLength = 0;
    uint8_t colorMapEntrySize = 0;
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 24;       // bits per pixel
    uint8_t descriptor = 0;
};

// Path of `name` inside a fresh temporary directory owned by this process (created on first
// use, removed when the process that created it exits).
std::string tempPath(const std::string& name);

// Writes the header (little-endian) followed by `pixels` exactly as given: file order, each
// pixel B, G, R (, A). No size check, so truncated or padded files are easy to make.
// Returns the path written; fails the calling test (ADD_FAILURE) if the file cannot be written.
std::string writeTga(const std::string& path, const TgaHeader& header,
                     const std::vector<uint8_t>& pixels);

// Plain accepted file of width x height pixels at depth 24 or 32 from file-order pixel bytes.
std::string writeTga(const std::string& path, int width, int height, int depth,
                     const std::vector<uint8_t>& pixels);

// Plain file in which every byte of every pixel is `value` (a flat height map: the terrain
// reads heights from the last byte of each pixel).
std::string writeFlatTga(const std::string& path, int width, int height, int depth,
                         uint8_t value);

}  // namespace tgatest

#endif
