// Test support: reads PNG files back through libpng, to check what the program wrote.
#ifndef QORVEL_TESTS_PNG_READER_H
#define QORVEL_TESTS_PNG_READER_H

#include <string>
#include <vector>

namespace testpng {

struct Picture {
    bool read = false;  // false: missing or not a PNG libpng can decode
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // top row first, 3 bytes a pixel
};

Picture readPng(const std::string& path);

}  // namespace testpng

#endif
