// Real frames drawn offscreen with the real pictures, read back pixel by pixel.

#include "offscreen_gl.h"

#include "gl/bitmap_decoder.h"
#include "gl/gl_headers.h"
#include "gl/gl_state.h"
#include "gl/pictures.h"
#include "gl/texture_set.h"
#include "scene/frame.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "scene/sprites.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int width = 320;
constexpr int height = 240;
const double viewHalfHeight = 2 * std::tan(22.5 * 3.14159265358979 / 180); // at z = -2
const double viewHalfWidth = viewHalfHeight * width / height;

struct Point {
    double x, y;
};

// The pixel (column, row from the bottom) where a scene point lands.
Point project(double x, double y) {
    return {(x / viewHalfWidth + 1) / 2 * width, (y / viewHalfHeight + 1) / 2 * height};
}

// The scene point at the centre of a pixel.
Point unproject(int column, int row) {
    return {((column + 0.5) / width * 2 - 1) * viewHalfWidth, ((row + 0.5) / height * 2 - 1) * viewHalfHeight};
}

// GL's linear filter with repeat wrapping, over a decoded picture.
RgbPixel sampleLinear(const BitmapPixels& picture, double s, double t) {
    const double u = s * picture.width - 0.5, v = t * picture.height - 0.5;
    const int u0 = static_cast<int>(std::floor(u)), v0 = static_cast<int>(std::floor(v));
    const double fu = u - u0, fv = v - v0;
    double channel[3] = {0, 0, 0};
    for (int dv = 0; dv < 2; ++dv)
        for (int du = 0; du < 2; ++du) {
            const int x = ((u0 + du) % picture.width + picture.width) % picture.width;
            const int y = ((v0 + dv) % picture.height + picture.height) % picture.height;
            const double weight = (du ? fu : 1 - fu) * (dv ? fv : 1 - fv);
            const uint8_t* bgr = &picture.bgr[(static_cast<size_t>(y) * picture.width + x) * 3];
            channel[0] += weight * bgr[2];
            channel[1] += weight * bgr[1];
            channel[2] += weight * bgr[0];
        }
    return {static_cast<uint8_t>(std::lround(channel[0])), static_cast<uint8_t>(std::lround(channel[1])),
            static_cast<uint8_t>(std::lround(channel[2]))};
}

int difference(RgbPixel a, RgbPixel b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

bool isBlack(RgbPixel p) {
    return p.r == 0 && p.g == 0 && p.b == 0;
}

BitmapPixels picture(int slot) {
    BitmapPixels pixels;
    EXPECT_TRUE(bitmapSource(textureResourceId(slot), pixels));
    return pixels;
}

class RenderTest : public testing::Test {
protected:
    void SetUp() override {
        if (!openOffscreenGl(width, height))
            GTEST_SKIP() << "no offscreen OpenGL on this machine";
        resizeViewport(width, height);
        ASSERT_TRUE(initGlState());
    }
    void TearDown() override { closeOffscreenGl(); }

    // The model-view and state a frame draws its sprites with, over a plain colour.
    static void startSpriteFrame(float grey) {
        glClearColor(grey, grey, grey, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -2);
        glColor3f(1, 1, 1);
    }

    static std::vector<RgbPixel> characterOver(float grey, int mascara) {
        settings.mascara = mascara;
        startSpriteFrame(grey);
        drawCharacter(-0.3f, 0.3f, characterMaskSlot, characterSlot);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        return readOffscreenPixels();
    }
};

TEST_F(RenderTest, TheStaticBackgroundShowsThePictureUndistorted) {
    settings.efecto = 0;
    settings.sombra = 0;
    settings.sangrante = 0;
    renderFrame();
    const std::vector<RgbPixel> pixels = readOffscreenPixels();
    const BitmapPixels sword = picture(0);
    // Away from the character and the logo, every pixel is the picture's own.
    int compared = 0, worst = 0;
    for (int row = 0; row < height; row += 3)
        for (int column = 0; column < width; column += 3) {
            const Point scene = unproject(column, row);
            if (scene.x > -0.35 && scene.x < 0.35 && scene.y < 0.35 && scene.y > -0.9)
                continue; // the character at its start position
            if (scene.x < -0.65 && scene.y > 0.55)
                continue; // the logo
            const double s = (scene.x + 8.0 / 7) / (16.0 / 7), t = (scene.y + 16.0 / 19) / (32.0 / 19);
            if (s < 0.01 || s > 0.99 || t < 0.01 || t > 0.99)
                continue;
            worst = std::max(worst, difference(pixels[row * width + column], sampleLinear(sword, s, t)));
            ++compared;
        }
    EXPECT_GT(compared, 4000);
    EXPECT_LE(worst, 8);
}

TEST_F(RenderTest, TheMaskBlacksOutTheSilhouetteBeforeTheFigureIsAdded) {
    const std::vector<RgbPixel> figureAlone = characterOver(0.0f, 0);
    const std::vector<RgbPixel> masked = characterOver(0.5f, 1);
    const std::vector<RgbPixel> added = characterOver(0.5f, 0);
    const RgbPixel grey = masked[0];
    ASSERT_NEAR(grey.r, 128, 1);
    int inside = 0, outside = 0;
    for (size_t index = 0; index < masked.size(); ++index) {
        if (isBlack(figureAlone[index])) {
            // Outside the figure the background shows in both ways of drawing.
            if (difference(masked[index], grey) <= 1)
                ++outside;
            EXPECT_LE(difference(added[index], grey), 1) << index;
            continue;
        }
        // Inside, the mask leaves the figure alone; without it the two add up.
        const RgbPixel f = figureAlone[index];
        const RgbPixel sum = {static_cast<uint8_t>(std::min(255, f.r + grey.r)),
                              static_cast<uint8_t>(std::min(255, f.g + grey.g)),
                              static_cast<uint8_t>(std::min(255, f.b + grey.b))};
        EXPECT_LE(difference(added[index], sum), 2) << index;
        if (difference(masked[index], f) <= 2)
            ++inside;
    }
    EXPECT_GT(inside, 1000) << "the silhouette is blacked out and filled with the figure";
    EXPECT_GT(outside, 40000);
}

TEST_F(RenderTest, TheLogoSitsInTheUpperLeftCornerAndShowsTheTopOfTheSheet) {
    startSpriteFrame(0);
    drawLogo();
    const std::vector<RgbPixel> pixels = readOffscreenPixels();
    const BitmapPixels sheet = picture(logoSlot);
    const Point lowerLeft = project(-1.1, 0.6), upperRight = project(-0.7, 0.8);
    int lit = 0, compared = 0, worst = 0;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const RgbPixel p = pixels[row * width + column];
            const bool inRect = column + 0.5 > lowerLeft.x && column + 0.5 < upperRight.x && row + 0.5 > lowerLeft.y &&
                                row + 0.5 < upperRight.y;
            if (!inRect) {
                EXPECT_TRUE(isBlack(p)) << column << "," << row;
                continue;
            }
            lit += !isBlack(p);
            const double fx = (column + 0.5 - lowerLeft.x) / (upperRight.x - lowerLeft.x);
            const double fy = (row + 0.5 - lowerLeft.y) / (upperRight.y - lowerLeft.y);
            if (fx < 0.05 || fx > 0.95 || fy < 0.05 || fy > 0.95)
                continue;
            worst = std::max(worst, difference(p, sampleLinear(sheet, 0.35 * fx, 0.85 + 0.15 * fy)));
            ++compared;
        }
    EXPECT_GT(lit, 200) << "the corner logo is bright on black";
    EXPECT_GT(compared, 500);
    EXPECT_LE(worst, 24) << "the drawn logo is the sheet's top-left corner";
}

TEST_F(RenderTest, DropsAppearNearTheCharacterAndFall) {
    createParticlePool();
    settings.numeroparticulas = 200;
    sceneState.smoothedFps = 60;
    auto redCentre = [](const std::vector<RgbPixel>& pixels, int* count) {
        double sumRow = 0;
        *count = 0;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const RgbPixel p = pixels[row * width + column];
                if (p.r > 60 && p.r > 2 * p.g) {
                    sumRow += row;
                    ++*count;
                }
            }
        return *count ? sumRow / *count : -1.0;
    };
    startSpriteFrame(0);
    updateAndDrawParticles();
    int early = 0;
    const double earlyRow = redCentre(readOffscreenPixels(), &early);
    ASSERT_GT(early, 30);
    const Point spawn = project(0.05, -0.35);
    EXPECT_NEAR(earlyRow, spawn.y, 12);
    for (int frame = 0; frame < 30; ++frame) {
        startSpriteFrame(0);
        updateAndDrawParticles();
    }
    int later = 0;
    const double laterRow = redCentre(readOffscreenPixels(), &later);
    ASSERT_GT(later, 30);
    EXPECT_LT(laterRow, earlyRow - 10) << "half a second later the drops have fallen";
}

TEST_F(RenderTest, AFrameEndsWithDepthTestOnAndBlendingOff) {
    settings.efectoulmo = 3;
    settings.mascara = 1;
    createParticlePool();
    renderFrame();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

} // namespace
