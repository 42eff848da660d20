#pragma once
// A small decoder for the BMP files the program carries: uncompressed
// (BI_RGB) device-independent bitmaps of 1, 4, 8 or 24 bits per pixel with a
// 40-byte header. It gives the same 24-bit buffer as GDI's GetDIBits: rows
// bottom row first, blue, green, red, each palette index turned into its
// palette colour. Anything else is refused; nothing is read past the input.

#include "gl/texture_set.h"

#include <cstddef>
#include <cstdint>

struct BitmapHeader {
    int32_t width = 0;
    int32_t height = 0; // positive: bottom row first
    int bitsPerPixel = 0;
    int paletteEntries = 0;
    uint32_t pixelOffset = 0;
};

enum class BitmapError {
    None,
    TooShort,
    NotBitmap,
    UnsupportedHeader,
    UnsupportedFormat,
    BadSize,
    BadPalette,
    BadOffset,
};

BitmapError readBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header);
BitmapError decodeBitmap(const uint8_t* data, size_t size, BitmapPixels& pixels);
