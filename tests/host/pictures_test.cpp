// The committed pictures: each of the size, depth and palette its role needs,
// each mask the silhouette of its figure, the logo and the drop where the
// scene cuts them out.

#include "gl/bitmap_decoder.h"
#include "gl/pictures.h"

#include "bitmap_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> fileBytes(int id) {
    std::ifstream file(bitmapFilePath(id), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

BitmapPixels decodedPicture(int id) {
    BitmapPixels pixels;
    EXPECT_TRUE(loadBitmapFile(bitmapFilePath(id), pixels)) << id;
    return pixels;
}

struct PictureFormat {
    int id;
    int width, height, bits, paletteEntries;
};

TEST(Pictures, EachHasTheSizeDepthAndPaletteOfItsRole) {
    const PictureFormat formats[] = {
        {103, 256, 256, 1, 2},   {106, 256, 256, 8, 256}, {107, 256, 256, 8, 256}, {110, 100, 41, 8, 256},
        {112, 100, 54, 8, 256},  {113, 170, 25, 8, 256},  {116, 100, 54, 8, 256},  {117, 256, 256, 8, 256},
        {118, 256, 256, 8, 256}, {119, 54, 14, 8, 256},   {121, 256, 256, 4, 16},  {123, 256, 256, 8, 256},
        {127, 100, 41, 8, 256},
    };
    for (const PictureFormat& format : formats) {
        SCOPED_TRACE(format.id);
        const std::vector<uint8_t> data = fileBytes(format.id);
        BitmapHeader header;
        ASSERT_EQ(readBitmapHeader(data.data(), data.size(), header), BitmapError::None);
        EXPECT_EQ(header.width, format.width);
        EXPECT_EQ(header.height, format.height); // positive: bottom row first
        EXPECT_EQ(header.bitsPerPixel, format.bits);
        EXPECT_EQ(header.paletteEntries, format.paletteEntries);
        EXPECT_EQ(header.pixelOffset, 14u + 40u + 4u * format.paletteEntries);
    }
}

bool black(const BitmapPixels& p, int x, int y) {
    const uint8_t* bgr = &p.bgr[(static_cast<size_t>(y) * p.width + x) * 3];
    return bgr[0] == 0 && bgr[1] == 0 && bgr[2] == 0;
}

bool white(const BitmapPixels& p, int x, int y) {
    const uint8_t* bgr = &p.bgr[(static_cast<size_t>(y) * p.width + x) * 3];
    return bgr[0] == 255 && bgr[1] == 255 && bgr[2] == 255;
}

void expectSilhouette(int figureId, int maskId) {
    const BitmapPixels figure = decodedPicture(figureId);
    const BitmapPixels mask = decodedPicture(maskId);
    int silhouette = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool inFigure = !black(figure, x, y);
            ASSERT_EQ(black(mask, x, y), inFigure) << x << "," << y;
            ASSERT_EQ(white(mask, x, y), !inFigure) << x << "," << y;
            silhouette += inFigure;
        }
    // A figure, not a speck and not the whole square.
    EXPECT_GT(silhouette, 256 * 256 / 10);
    EXPECT_LT(silhouette, 256 * 256 / 2);
}

TEST(Pictures, EachMaskIsExactlyTheSilhouetteOfItsFigure) {
    expectSilhouette(106, 103);
    expectSilhouette(118, 121);
}

TEST(Pictures, FiguresStandOnPureBlack) {
    for (int id : {106, 118}) {
        const BitmapPixels figure = decodedPicture(id);
        for (int i = 0; i < 256; ++i) {
            EXPECT_TRUE(black(figure, 0, i) && black(figure, 255, i)) << id << " side edge at " << i;
            EXPECT_TRUE(black(figure, i, 255)) << id << " top edge at " << i;
        }
    }
}

// Lit pixels of a picture inside and outside a rectangle given in texture
// coordinates (t = 0 at the bottom row).
void countLit(const BitmapPixels& p, double s1, double t0, int* inside, int* outside) {
    *inside = *outside = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            if (black(p, x, y))
                continue;
            const bool in = (x + 0.5) / p.width < s1 && (y + 0.5) / p.height > t0;
            ++(in ? *inside : *outside);
        }
}

TEST(Pictures, TheCornerLogoLiesInTheTopLeftOfTheSheet) {
    const BitmapPixels sheet = decodedPicture(117);
    int inside, outside;
    countLit(sheet, 0.35, 0.85, &inside, &outside);
    EXPECT_GT(inside, 500) << "the corner logo";
    EXPECT_GT(outside, 5000) << "the other logos";
    // Just outside the rectangle the sheet is black, so no neighbour bleeds into the cut.
    for (int x = 0; x < 90; ++x)
        for (int y = 210; y < 217; ++y)
            EXPECT_TRUE(black(sheet, x, y)) << x << "," << y;
    for (int y = 218; y < 256; ++y)
        for (int x = 90; x < 97; ++x)
            EXPECT_TRUE(black(sheet, x, y)) << x << "," << y;
}

TEST(Pictures, TheDropLiesInTheUpperLeftOfItsPictureWithItsRoundEndDown) {
    const BitmapPixels drop = decodedPicture(123);
    int inside, outside;
    countLit(drop, 0.35, 0.55, &inside, &outside);
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(outside, 0);
    // A falling drop is drawn upright: heavy end below, thin tail above.
    int lowerHalf = 0, upperHalf = 0;
    for (int y = 141; y < 256; ++y)
        for (int x = 0; x < 90; ++x)
            (y < 198 ? lowerHalf : upperHalf) += !black(drop, x, y);
    EXPECT_GT(lowerHalf, upperHalf);
}

} // namespace
