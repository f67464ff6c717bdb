// Test helper: writes TGA files (any header bytes, raw pixel bytes) into a per-process temp dir.
#ifndef QORVEL_TESTS_TGA_WRITER_H
#define QORVEL_TESTS_TGA_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

namespace tgatest {

// Path of `name` inside a temporary directory owned by this process (created on first use,
// removed when the process that created it exits).
std::string tempPath(const std::string& name);

// The 18 header bytes of the plain uncompressed true-colour file the loader accepts; change
// single bytes to build rejected ones.
std::vector<uint8_t> tgaHeader(int width, int height, int depth);

// Writes `bytes` exactly as given (truncated or padded files are easy to make) and returns the
// path; fails the calling test if the file cannot be written.
std::string writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Accepted header followed by file-order pixel bytes (B, G, R (, A)); no size check.
std::string writeTga(const std::string& path, int width, int height, int depth,
                     const std::vector<uint8_t>& pixels);

}  // namespace tgatest

#endif
