#include "gl/bitmap_decoder.h"

#include "bitmap_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void put32(std::vector<uint8_t>& data, size_t at, uint32_t value) {
    for (int byte = 0; byte < 4; ++byte)
        data[at + byte] = static_cast<uint8_t>(value >> (8 * byte));
}

void put16(std::vector<uint8_t>& data, size_t at, uint16_t value) {
    data[at] = static_cast<uint8_t>(value);
    data[at + 1] = static_cast<uint8_t>(value >> 8);
}

// A BMP file with the given palette (blue, green, red triples) and rows
// (bottom row first, already packed and padded).
std::vector<uint8_t> makeBitmap(int width, int height, int bits, const std::vector<uint32_t>& palette,
                                const std::vector<uint8_t>& rows, uint32_t coloursUsed = 0) {
    const size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> data(offset + rows.size());
    data[0] = 'B';
    data[1] = 'M';
    put32(data, 2, static_cast<uint32_t>(data.size()));
    put32(data, 10, static_cast<uint32_t>(offset));
    put32(data, 14, 40);
    put32(data, 18, static_cast<uint32_t>(width));
    put32(data, 22, static_cast<uint32_t>(height));
    put16(data, 26, 1);
    put16(data, 28, static_cast<uint16_t>(bits));
    put32(data, 46, coloursUsed);
    for (size_t entry = 0; entry < palette.size(); ++entry)
        put32(data, 54 + entry * 4, palette[entry]);
    std::memcpy(data.data() + offset, rows.data(), rows.size());
    return data;
}

std::vector<uint8_t> decoded(const std::vector<uint8_t>& file) {
    BitmapPixels pixels;
    EXPECT_EQ(decodeBitmap(file.data(), file.size(), pixels), BitmapError::None);
    return pixels.bgr;
}

constexpr uint32_t white = 0xFFFFFF, black = 0, red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

TEST(BitmapDecoder, OneBitPixelsTakeTheirPaletteColours) {
    // 3 by 2: bottom row 1 0 1, top row 0 1 0; each row padded to four bytes.
    const auto file = makeBitmap(3, 2, 1, {white, black}, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0});
    EXPECT_EQ(decoded(file),
              (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255}));
}

TEST(BitmapDecoder, FourBitPixelsReadHighNibbleFirst) {
    std::vector<uint32_t> palette(16, black);
    palette[1] = red;
    palette[2] = green;
    palette[15] = blue;
    const auto file = makeBitmap(3, 1, 4, palette, {0x12, 0xF0, 0, 0});
    EXPECT_EQ(decoded(file), (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0}));
}

TEST(BitmapDecoder, EightBitRowsAreKeptBottomRowFirst) {
    std::vector<uint32_t> palette(256, black);
    palette[7] = 0x102030;
    palette[200] = 0xA0B0C0;
    const auto file = makeBitmap(2, 2, 8, palette, {7, 200, 0, 0, 200, 200, 0, 0});
    EXPECT_EQ(decoded(file),
              (std::vector<uint8_t>{0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0xC0, 0xB0, 0xA0, 0xC0, 0xB0, 0xA0}));
}

TEST(BitmapDecoder, AShortPaletteIsHonouredAndIndicesBeyondItAreBlack) {
    const auto file = makeBitmap(2, 1, 8, {red, green}, {1, 9, 0, 0}, 2);
    EXPECT_EQ(decoded(file), (std::vector<uint8_t>{0, 255, 0, 0, 0, 0}));
}

TEST(BitmapDecoder, TwentyFourBitPixelsPassThrough) {
    const auto file = makeBitmap(1, 2, 24, {}, {1, 2, 3, 0, 4, 5, 6, 0});
    EXPECT_EQ(decoded(file), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

struct Malformed {
    const char* what;
    BitmapError error;
    std::vector<uint8_t> file;
};

std::vector<Malformed> malformedFiles() {
    const auto good = makeBitmap(4, 4, 8, std::vector<uint32_t>(256, white), std::vector<uint8_t>(16, 1));
    std::vector<Malformed> cases;
    auto with = [&](const char* what, BitmapError error, auto change) {
        std::vector<uint8_t> file = good;
        change(file);
        cases.push_back({what, error, file});
    };
    cases.push_back({"empty", BitmapError::TooShort, {}});
    with("cut inside the header", BitmapError::TooShort, [](auto& f) { f.resize(40); });
    with("no signature", BitmapError::NotBitmap, [](auto& f) { f[0] = 'P'; });
    with("core header", BitmapError::UnsupportedHeader, [](auto& f) { put32(f, 14, 12); });
    with("two planes", BitmapError::UnsupportedFormat, [](auto& f) { put16(f, 26, 2); });
    with("run-length compressed", BitmapError::UnsupportedFormat, [](auto& f) { put32(f, 30, 1); });
    with("16 bits", BitmapError::UnsupportedFormat, [](auto& f) { put16(f, 28, 16); });
    with("zero width", BitmapError::BadSize, [](auto& f) { put32(f, 18, 0); });
    with("top-down rows", BitmapError::BadSize, [](auto& f) { put32(f, 22, static_cast<uint32_t>(-4)); });
    with("huge width", BitmapError::BadSize, [](auto& f) { put32(f, 18, 0x7FFFFFFF); });
    with("too many colours", BitmapError::BadPalette, [](auto& f) { put32(f, 46, 257); });
    with("palette past the end", BitmapError::BadPalette, [](auto& f) { f.resize(200); });
    with("pixels inside the palette", BitmapError::BadOffset, [](auto& f) { put32(f, 10, 60); });
    with("pixels past the end", BitmapError::BadOffset, [](auto& f) { put32(f, 10, 0xFFFFFFF0); });
    with("rows cut short", BitmapError::BadOffset, [](auto& f) { f.pop_back(); });
    with("taller than the data", BitmapError::BadOffset, [](auto& f) { put32(f, 22, 5); });
    return cases;
}

TEST(BitmapDecoder, MalformedFilesAreRefusedWithTheirReason) {
    for (const Malformed& c : malformedFiles()) {
        SCOPED_TRACE(c.what);
        BitmapPixels pixels;
        EXPECT_EQ(decodeBitmap(c.file.data(), c.file.size(), pixels), c.error);
        EXPECT_TRUE(pixels.bgr.empty());
    }
}

TEST(BitmapDecoder, AMissingFileIsAFailure) {
    BitmapPixels pixels;
    EXPECT_FALSE(loadBitmapFile("/nonexistent/picture.bmp", pixels));
}

} // namespace
