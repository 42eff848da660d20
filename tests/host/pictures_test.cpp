// The committed pictures: each of the size, depth and palette its role needs,
// each mask the silhouette of its figure, the logo and the drop where the
// scene cuts them out, and the logo sheet laid out so that, as background 3,
// it shows no copy of the corner logo beneath the corner logo.

#include "gl/bitmap_decoder.h"
#include "gl/pictures.h"
#include "scene/background_grid.h"
#include "scene/scene_state.h"

#include "bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
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

// Where the scene draws the corner logo and lays the background grid, in
// scene units at z = -2, and the rectangle of the sheet the logo is cut from.
constexpr double logoWidth = 0.4, logoHeight = 0.2;
constexpr double cutRight = 0.35, cutBottom = 0.85;
constexpr double gridLeft = -8.0 / 7, gridBottom = -16.0 / 19;
constexpr double columnWidth = 1.0 / 7, rowHeight = 2.0 / 19;

struct SheetPoint {
    double s, t;
};

// The point of the background picture the grid shows at scene point (x, y):
// within a cell, s follows the left and right edges and t the lower and upper.
SheetPoint backgroundAt(int efecto, float phase, float pulse, double x, double y) {
    const double column = (x - gridLeft) / columnWidth, row = (y - gridBottom) / rowHeight;
    const int i = std::clamp(static_cast<int>(std::floor(column)), 0, gridSize - 1);
    const int j = std::clamp(static_cast<int>(std::floor(row)), 0, gridSize - 1);
    GridCell cell;
    computeCellOffsets(efecto, i, j, phase, pulse, cell);
    const double sLeft = i / 16.0 + cell.ds0, sRight = (i + 1) / 16.0 + cell.ds1;
    const double tBottom = j / 16.0 + cell.dt0, tTop = (j + 1) / 16.0 + cell.dt1;
    return {sLeft + (sRight - sLeft) * (column - i), tBottom + (tTop - tBottom) * (row - j)};
}

enum class Texel { Black, Wordmark, OtherLogo };

// What the sheet holds at a texel, wrapped as the texture repeats.
Texel texelAt(const BitmapPixels& sheet, int x, int y) {
    x = (x % sheet.width + sheet.width) % sheet.width;
    y = (y % sheet.height + sheet.height) % sheet.height;
    if (black(sheet, x, y))
        return Texel::Black;
    const bool inCut = (x + 0.5) / sheet.width < cutRight && (y + 0.5) / sheet.height > cutBottom;
    return inCut ? Texel::Wordmark : Texel::OtherLogo;
}

struct UnderTheLogo {
    const char* effect;
    int efecto;
    float pulseLow, pulseHigh; // the pulse range the row holds for
    bool wordmarkAllowed;      // else the logo lies on pure black
};

// Over background 3 the corner logo lies on black under the static background,
// the gentle and the rows-only ripples, and the stressed ripple while its
// pulse is low. The stretched strip of effect 6 runs the sheet's top left
// under it, where only the wordmark may be: no other logo passes beneath it.
TEST(Pictures, OnTheLogoSheetTheCornerLogoNeverLiesOnItsOwnCopy) {
    const UnderTheLogo rows[] = {
        {"static", 0, -51, 102, false},         {"stressed ripple, low pulse", 1, -51, 0, false},
        {"gentle ripple", 2, -51, 102, false},  {"rows only", 3, -51, 102, false},
        {"stretched strip", 6, -51, 102, true},
    };
    const BitmapPixels sheet = decodedPicture(117);
    const SceneState rest;
    constexpr int phases = 16, pulses = 12, columns = 160, lines = 30;
    for (const UnderTheLogo& row : rows) {
        SCOPED_TRACE(row.effect);
        int wordmark = 0, other = 0;
        std::string first;
        for (int p = 0; p < phases; ++p)
            for (int q = 0; q <= pulses; ++q) {
                const float phase = static_cast<float>(p * 2 * 3.14159265358979 / phases);
                const float pulse = row.pulseLow + (row.pulseHigh - row.pulseLow) * q / pulses;
                for (int c = 0; c <= columns; ++c)
                    for (int l = 0; l <= lines; ++l) {
                        const double x = rest.logoX + logoWidth * c / columns;
                        const double y = rest.logoY - logoHeight * l / lines;
                        const SheetPoint at = backgroundAt(row.efecto, phase, pulse, x, y);
                        // The four texels GL's linear filter reads there.
                        const int u = static_cast<int>(std::floor(at.s * sheet.width - 0.5));
                        const int v = static_cast<int>(std::floor(at.t * sheet.height - 0.5));
                        for (int k = 0; k < 4; ++k) {
                            const Texel texel = texelAt(sheet, u + k % 2, v + k / 2);
                            if (texel == Texel::Black || (texel == Texel::Wordmark && row.wordmarkAllowed))
                                continue;
                            ++(texel == Texel::Wordmark ? wordmark : other);
                            if (first.empty())
                                first = testing::PrintToString(std::make_tuple(phase, pulse, x, y, u, v));
                        }
                    }
            }
        EXPECT_EQ(wordmark, 0) << "the wordmark lies under the corner logo, first at (phase, pulse, x, y, texel) "
                               << first;
        EXPECT_EQ(other, 0) << "another logo lies under the corner logo, first at (phase, pulse, x, y, texel) "
                            << first;
    }
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
