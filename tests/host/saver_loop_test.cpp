// The saver loop over a scripted platform, drawing real frames offscreen:
// what ends it, when it draws, and that it swaps and paces on every idle pass.

#include "gl/gl_state.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"

#include "offscreen_gl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The platform's side, scripted: each poll takes the next letter, E for an
// empty queue, H for a handled event, Q for a quit with code 7, and a
// run-away loop ends with code -1. The log tells what the loop did in order.
std::string script;
size_t position = 0;
std::string log;

EventPoll scriptedPoll(int* exitCode) {
    const char next = position < script.size() ? script[position++] : 'Q';
    log += next;
    if (next == 'Q' || position > 100) {
        *exitCode = next == 'Q' ? 7 : -1;
        return EventPoll::Quit;
    }
    return next == 'H' ? EventPoll::Handled : EventPoll::Empty;
}

float lastPulse = 0;

void scriptedSwap() {
    // A frame advances the pulse; a swap without a frame leaves it.
    log += sceneState.pulse != lastPulse ? "f" : "";
    lastPulse = sceneState.pulse;
    log += 's';
}

void scriptedWait() {
    log += 'w';
}

class SaverLoopTest : public testing::Test {
protected:
    void SetUp() override {
        if (!openOffscreenGl(64, 48))
            GTEST_SKIP() << "no offscreen OpenGL on this machine";
        resizeViewport(64, 48);
        ASSERT_TRUE(initGlState());
        runMode = Saver;
        log.clear();
        lastPulse = sceneState.pulse;
    }
    void TearDown() override { closeOffscreenGl(); }

    int run(const char* events, void (*wait)() = scriptedWait) {
        script = events;
        position = 0;
        return saverLoop({scriptedPoll, scriptedSwap, wait});
    }
};

TEST_F(SaverLoopTest, EventsComeFirstThenAFrameThenTheSwapAndThePace) {
    EXPECT_EQ(run("HHEHEQ"), 7);
    EXPECT_EQ(log, "HHEfswHEfswQ");
    EXPECT_FALSE(saverLoopRunning);
    EXPECT_EQ(run("EEQ", nullptr), 7) << "no pacing: frames as fast as the swap allows";
    EXPECT_EQ(log, "HHEfswHEfswQEfsEfsQ");
}

TEST_F(SaverLoopTest, AnInactiveWindowDrawsNothingButIsStillSwapped) {
    activeFlag = 0;
    EXPECT_EQ(run("EEQ"), 7);
    EXPECT_EQ(log, "EswEswQ");
}

TEST_F(SaverLoopTest, EscapeEndsAFullScreenRunAfterItsFrameButNotAPreview) {
    keyDown[escapeKey] = 1;
    runMode = Preview;
    EXPECT_EQ(run("EEQ"), 7);
    EXPECT_EQ(log, "EfswEfswQ");
    log.clear();
    runMode = Saver;
    EXPECT_EQ(run("EEQ"), 0);
    EXPECT_EQ(log, "E") << "left before its swap";
    EXPECT_NE(sceneState.pulse, lastPulse) << "the frame was drawn";
}

// A second surface beside the first, as a second monitor's: its context shares
// the first one's textures and lists. The log says S for its swap.
int otherSize[2] = {64, 48};
bool otherReady = true;

int oneOtherSurface() {
    return 1;
}

bool makeOtherCurrent(int, int* width, int* height) {
    if (!otherReady)
        return false;
    makeOffscreenCurrent(1);
    *width = otherSize[0];
    *height = otherSize[1];
    return true;
}

void swapOther(int) {
    log += 'S';
}

void makeFirstCurrent() {
    makeOffscreenCurrent(0);
}

constexpr OtherSurfaces otherSurfaces = {oneOtherSurface, makeOtherCurrent, swapOther, makeFirstCurrent};

size_t litPixels(const std::vector<RgbPixel>& pixels) {
    size_t lit = 0;
    for (const RgbPixel& pixel : pixels)
        lit += pixel.r + pixel.g + pixel.b > 0;
    return lit;
}

// The largest difference of one channel between two pictures of one size.
int largestDifference(const std::vector<RgbPixel>& a, const std::vector<RgbPixel>& b) {
    int largest = 0;
    for (size_t index = 0; index < a.size(); ++index)
        largest = std::max({largest, std::abs(a[index].r - b[index].r), std::abs(a[index].g - b[index].g),
                            std::abs(a[index].b - b[index].b)});
    return largest;
}

class SeveralSurfacesTest : public SaverLoopTest {
protected:
    void SetUp() override {
        SaverLoopTest::SetUp();
        if (IsSkipped())
            return;
        otherSize[0] = 64;
        otherSize[1] = 48;
        otherReady = true;
        ASSERT_TRUE(openSecondOffscreenGl(otherSize[0], otherSize[1]));
        makeOffscreenCurrent(0);
    }

    int runOnBoth(const char* events) {
        script = events;
        position = 0;
        return saverLoop({scriptedPoll, scriptedSwap, scriptedWait, &otherSurfaces});
    }
};

TEST_F(SeveralSurfacesTest, TheSecondSurfaceShowsTheFirstOnesFrameDrawnOnce) {
    settings.efecto = 4;
    EXPECT_EQ(runOnBoth("EEQ"), 7);
    EXPECT_EQ(log, "EfsSwEfsSwQ") << "one frame a pass, the first surface swapped first";
    const std::vector<RgbPixel> first = readOffscreenPixels();
    makeOffscreenCurrent(1);
    const std::vector<RgbPixel> second = readOffscreenPixels();
    EXPECT_GT(litPixels(first), first.size() / 2) << "the scene was drawn";
    ASSERT_EQ(first.size(), second.size());
    EXPECT_LE(largestDifference(first, second), 1)
        << "the same frame at the same size, but for the rasterizer's last bit";
}

TEST_F(SeveralSurfacesTest, EachSurfaceKeepsItsOwnSizeAndAnUnreadySurfaceIsLeftForThePass) {
    otherSize[0] = 32;
    otherSize[1] = 48;
    EXPECT_EQ(runOnBoth("EQ"), 7);
    makeOffscreenCurrent(1);
    std::vector<RgbPixel> second = readOffscreenPixels();
    const size_t columnsDrawn = [&] {
        size_t columns = 0;
        for (int x = 0; x < 64; ++x)
            columns += litPixels({second.begin() + 24 * 64 + x, second.begin() + 24 * 64 + x + 1}) > 0;
        return columns;
    }();
    EXPECT_LE(columnsDrawn, 32u) << "the frame fills the surface's own 32 columns, not the first one's 64";
    EXPECT_GT(columnsDrawn, 24u);
    EXPECT_EQ(viewportWidth, 64) << "the first surface's size is left as it was";

    makeOffscreenCurrent(0);
    otherReady = false;
    log.clear();
    EXPECT_EQ(runOnBoth("EQ"), 7);
    EXPECT_EQ(log, "EfswQ") << "a surface that cannot take a frame is neither drawn nor swapped";
}

TEST_F(SeveralSurfacesTest, AnInactiveRunSwapsEverySurfaceAndDrawsNone) {
    activeFlag = 0;
    EXPECT_EQ(runOnBoth("EQ"), 7);
    EXPECT_EQ(log, "EsSwQ");
}

} // namespace
