#pragma once
// The seven 256 by 256 RGB textures the scene draws, made once per run from
// the program's bitmap resources.

#include "gl/gl_headers.h"

#include <cstdint>
#include <vector>

constexpr int textureSlotCount = 7;
constexpr int textureSize = 256;

// Slots by role; the background binds the slot named by imagenfondo.
constexpr int characterMaskSlot = 1;
constexpr int characterSlot = 2;
constexpr int logoSlot = 3;
constexpr int chaserSlot = 4;
constexpr int chaserMaskSlot = 5;
constexpr int dropSlot = 6;

struct TextureSet {
    GLuint names[textureSlotCount] = {};
};

extern TextureSet textureSet;

// A picture as 24-bit rows, bottom row first, blue, green, red, no row padding.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
};

// Where pictures come from: GDI over the program's own resources in the
// product, the BMP files decoded by the portable decoder on the host.
using BitmapSource = bool (*)(int resourceId, BitmapPixels& pixels);
extern BitmapSource bitmapSource;

// Creates the seven textures; returns 1, or 0 when a picture cannot be loaded
// or is not 256 by 256. Needs a current GL context.
int loadTextureSet();
