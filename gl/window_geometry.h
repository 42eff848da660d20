#pragma once
// The size, and optionally the place, of a window the program makes itself.

#include <cstdint>

struct Geometry {
    int32_t width = 1280, height = 720;
    int32_t x = 0, y = 0;
    bool hasPosition = false;
};
