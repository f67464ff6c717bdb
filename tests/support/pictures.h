// Test support: PNG files the program wrote, read back through libpng, and compared.
#ifndef QORVEL_TESTS_PICTURES_H
#define QORVEL_TESTS_PICTURES_H

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

struct Region {
    int x, y, width, height;  // from the top-left corner, in pixels
};

// The share of the region's pixels (0 to 1) where some channel differs by more than 24 levels:
// a small thing moving through the region changes little of it, a panel or a new view most.
double changedShare(const Picture& a, const Picture& b, Region r);

// The horizontal move, in pixels, that best carries a's rows in the region onto b's (positive:
// the content moved right), searched within +-maxShift.
int horizontalShift(const Picture& a, const Picture& b, Region r, int maxShift);

}  // namespace testpng

#endif
