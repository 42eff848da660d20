#pragma once
// A GL context with no display: EGL on Mesa's surfaceless platform, drawing
// into a pbuffer, so host tests render real frames and read the pixels back.

#include <cstdint>
#include <vector>

struct RgbPixel {
    uint8_t r, g, b;
    bool operator==(const RgbPixel&) const = default;
};

// Makes a current context of the given size; false when there is none to be had.
bool openOffscreenGl(int width, int height);
void closeOffscreenGl();
// A second surface whose context shares the first one's textures and lists,
// as a further monitor's does; closed with the first.
bool openSecondOffscreenGl(int width, int height);
// Makes the first (0) or the second (1) surface's context current.
void makeOffscreenCurrent(int surface);
// The pixels of the current surface's frame, bottom row first.
std::vector<RgbPixel> readOffscreenPixels();
