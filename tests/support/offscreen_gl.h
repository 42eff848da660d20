#pragma once
// A GL context with no display: EGL on Mesa's surfaceless platform, drawing
// into a pbuffer, so host tests render real frames and read the pixels back.

#include <cstdint>
#include <vector>

struct RgbPixel {
    uint8_t r, g, b;
};

// Makes a current context of the given size; false when there is none to be had.
bool openOffscreenGl(int width, int height);
void closeOffscreenGl();
// The pixels of the current frame, bottom row first.
std::vector<RgbPixel> readOffscreenPixels();
