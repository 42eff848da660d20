#include "gl/bitmap_decoder.h"

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t infoHeaderSize = 40;
constexpr int32_t largestSide = 16384; // far beyond any picture here; bounds the buffer

uint32_t readU32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

size_t rowBytes(int32_t width, int bitsPerPixel) {
    return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

int paletteIndex(const uint8_t* row, int32_t x, int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    default:
        return row[x];
    }
}

} // namespace

BitmapError readBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header) {
    if (size < fileHeaderSize + infoHeaderSize)
        return BitmapError::TooShort;
    if (data[0] != 'B' || data[1] != 'M')
        return BitmapError::NotBitmap;
    const uint8_t* info = data + fileHeaderSize;
    if (readU32(info) != infoHeaderSize)
        return BitmapError::UnsupportedHeader;
    const int32_t width = static_cast<int32_t>(readU32(info + 4));
    const int32_t height = static_cast<int32_t>(readU32(info + 8));
    const int planes = readU16(info + 12);
    const int bits = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    const uint32_t coloursUsed = readU32(info + 32);
    if (planes != 1 || compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return BitmapError::UnsupportedFormat;
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide)
        return BitmapError::BadSize;
    int entries = 0;
    if (bits != 24) {
        const uint32_t full = 1u << bits;
        if (coloursUsed > full)
            return BitmapError::BadPalette;
        entries = static_cast<int>(coloursUsed ? coloursUsed : full);
    }
    const size_t paletteEnd = fileHeaderSize + infoHeaderSize + static_cast<size_t>(entries) * 4;
    if (paletteEnd > size)
        return BitmapError::BadPalette;
    const uint32_t offset = readU32(data + 10);
    if (offset < paletteEnd || offset > size || size - offset < rowBytes(width, bits) * height)
        return BitmapError::BadOffset;
    header = {width, height, bits, entries, offset};
    return BitmapError::None;
}

BitmapError decodeBitmap(const uint8_t* data, size_t size, BitmapPixels& pixels) {
    BitmapHeader header;
    if (const BitmapError error = readBitmapHeader(data, size, header); error != BitmapError::None)
        return error;
    const uint8_t* palette = data + fileHeaderSize + infoHeaderSize;
    const size_t stride = rowBytes(header.width, header.bitsPerPixel);
    pixels.width = header.width;
    pixels.height = header.height;
    pixels.bgr.assign(static_cast<size_t>(header.width) * header.height * 3, 0);
    uint8_t* out = pixels.bgr.data();
    for (int32_t y = 0; y < header.height; ++y) {
        const uint8_t* row = data + header.pixelOffset + stride * y;
        for (int32_t x = 0; x < header.width; ++x, out += 3) {
            if (header.bitsPerPixel == 24) {
                out[0] = row[x * 3];
                out[1] = row[x * 3 + 1];
                out[2] = row[x * 3 + 2];
                continue;
            }
            // An index beyond a short palette reads as black.
            const int index = paletteIndex(row, x, header.bitsPerPixel);
            if (index < header.paletteEntries) {
                out[0] = palette[index * 4];
                out[1] = palette[index * 4 + 1];
                out[2] = palette[index * 4 + 2];
            }
        }
    }
    return BitmapError::None;
}
