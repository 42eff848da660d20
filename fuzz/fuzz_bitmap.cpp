// The BMP decoder on any bytes. Nothing may be read past the input (ASan
// watches the copy below, which has no slack after it); a decoded picture has
// the header's size and exactly three bytes a pixel, and a refused one leaves
// the output as it was.

#include "gl/bitmap_decoder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what, const BitmapPixels& pixels) {
    std::fprintf(stderr, "fuzz_bitmap: %s (%d x %d, %zu bytes)\n", what, pixels.width, pixels.height,
                 pixels.bgr.size());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size heap copy, so that a read one byte past the end is caught.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
    if (size)
        std::memcpy(copy.get(), data, size);

    BitmapHeader header;
    const BitmapError headerError = readBitmapHeader(copy.get(), size, header);

    BitmapPixels pixels;
    pixels.width = -7;
    pixels.height = -9;
    pixels.bgr.assign(5, 0xAB);
    const BitmapError error = decodeBitmap(copy.get(), size, pixels);
    if (error != headerError)
        fail("the decoder and the header reader disagree", pixels);

    if (error != BitmapError::None) {
        if (pixels.width != -7 || pixels.height != -9 || pixels.bgr.size() != 5)
            fail("a refused bitmap changed the output", pixels);
        return 0;
    }
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.width != header.width || pixels.height != header.height)
        fail("a decoded size that is not the header's", pixels);
    if (pixels.bgr.size() != static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height) * 3)
        fail("a decoded buffer that is not width * height * 3 bytes", pixels);
    if (header.bitsPerPixel != 1 && header.bitsPerPixel != 4 && header.bitsPerPixel != 8 && header.bitsPerPixel != 24)
        fail("a depth the decoder does not take", pixels);
    if (header.pixelOffset > size)
        fail("pixels that start past the input", pixels);

    // A 24-bit picture is its rows copied out without their padding.
    if (header.bitsPerPixel == 24) {
        const size_t rowBytes = static_cast<size_t>(header.width) * 3;
        const size_t stride = (rowBytes + 3) & ~size_t{3};
        for (int32_t y = 0; y < header.height; ++y) {
            const uint8_t* row = copy.get() + header.pixelOffset + stride * y;
            if (std::memcmp(pixels.bgr.data() + rowBytes * y, row, rowBytes) != 0)
                fail("a 24-bit row that is not the input's", pixels);
        }
    }
    // A palette picture: each pixel is its index's palette colour, read here
    // by bit position, or black for an index beyond the palette.
    if (header.bitsPerPixel != 24) {
        const int bits = header.bitsPerPixel;
        const size_t stride = (static_cast<size_t>(header.width) * bits + 31) / 32 * 4;
        const uint8_t* palette = copy.get() + 54;
        const uint8_t* out = pixels.bgr.data();
        for (int32_t y = 0; y < header.height; ++y) {
            const uint8_t* row = copy.get() + header.pixelOffset + stride * y;
            for (int32_t x = 0; x < header.width; ++x, out += 3) {
                const size_t bit = static_cast<size_t>(x) * bits;
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const int index = (row[bit / 8] >> shift) & ((1 << bits) - 1);
                const uint8_t black[3] = {0, 0, 0};
                const uint8_t* colour = index < header.paletteEntries ? palette + index * 4 : black;
                if (std::memcmp(out, colour, 3) != 0)
                    fail("a palette pixel that is not its palette colour", pixels);
            }
        }
    }
    return 0;
}
