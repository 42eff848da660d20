#include "shell/saver_input.h"

#include <gtest/gtest.h>

namespace {

TEST(SaverInput, TheMouseMayWanderFiftyPixelsFromTheStart) {
    startCursor = {500, 400};
    EXPECT_FALSE(cursorMovedAway({550, 450}));
    EXPECT_FALSE(cursorMovedAway({450, 350}));
    EXPECT_TRUE(cursorMovedAway({551, 400}));
    EXPECT_TRUE(cursorMovedAway({500, 349}));
    EXPECT_TRUE(cursorMovedAway({-2147483647 - 1, 400}));
    startCursor = {};
}

// Where the pointer first stood on one output's surface and where it stands
// now on another's (or the same), each output placed at its origin in the
// compositor's layout: two 800x600 outputs side by side unless told.
struct LayoutMove {
    const char* what;
    CursorPoint startOrigin, startOnSurface;
    CursorPoint nowOrigin, nowOnSurface;
    bool endsRun;
};

const LayoutMove layoutMoves[] = {
    {"within one output, 50 px right", {0, 0}, {100, 100}, {0, 0}, {150, 100}, false},
    {"within one output, 51 px down", {0, 0}, {100, 100}, {0, 0}, {100, 151}, true},
    {"within the right output, 51 px left", {800, 0}, {300, 300}, {800, 0}, {249, 300}, true},
    {"from x 781 of the left output to x 21 of the right: 40 px", {0, 0}, {781, 300}, {800, 0}, {21, 300}, false},
    {"from x 781 of the left output to x 32 of the right: 51 px", {0, 0}, {781, 300}, {800, 0}, {32, 300}, true},
    {"back from the right output to the left, 50 px", {800, 0}, {10, 300}, {0, 0}, {760, 300}, false},
    {"onto an output below, 51 px down", {0, 0}, {400, 580}, {0, 600}, {400, 31}, true},
    {"onto an output below, 50 px down, 50 px right", {0, 0}, {400, 580}, {0, 600}, {450, 30}, false},
    {"the same surface point on two outputs is 800 px apart", {0, 0}, {400, 300}, {800, 0}, {400, 300}, true},
    {"an output left of the origin, 40 px across its right edge", {-800, 0}, {780, 300}, {0, 0}, {20, 300}, false},
    {"an output left of the origin, 60 px across its right edge", {-800, 0}, {780, 300}, {0, 0}, {40, 300}, true},
    {"an output above the origin, 30 px across its bottom edge", {0, -600}, {400, 590}, {0, 0}, {400, 20}, false},
    {"an output above the origin, 70 px across its bottom edge", {0, -600}, {400, 590}, {0, 0}, {400, 60}, true},
    {"an output at the far negative end, 51 px further left",
     {-2147483647 - 1, 0},
     {100, 0},
     {-2147483647 - 1, 0},
     {49, 0},
     true},
    {"an origin past the end of the range keeps its point at the end",
     {2147483647, 0},
     {0, 0},
     {2147483647, 0},
     {60, 0},
     false},
};

TEST(SaverInput, ThePointerRuleCountsInTheCompositorsLayout) {
    for (const LayoutMove& move : layoutMoves) {
        startCursor = placeInLayout(move.startOrigin, move.startOnSurface);
        const CursorPoint now = placeInLayout(move.nowOrigin, move.nowOnSurface);
        EXPECT_EQ(pointerMoveEndsRun(EndingInput::Everything, now), move.endsRun) << move.what;
        EXPECT_FALSE(pointerMoveEndsRun(EndingInput::QuitKeys, now)) << move.what;
    }
    startCursor = {};
}

TEST(SaverInput, OnlyTheFullScreenRunRefusesScreenSaveAndMonitorPower) {
    EXPECT_TRUE(swallowsSystemCommand(Saver, 0xF140));  // SC_SCREENSAVE
    EXPECT_TRUE(swallowsSystemCommand(Saver, 0xF170));  // SC_MONITORPOWER
    EXPECT_FALSE(swallowsSystemCommand(Saver, 0xF141)); // compared whole, not masked
    EXPECT_FALSE(swallowsSystemCommand(Saver, 0xF172));
    EXPECT_FALSE(swallowsSystemCommand(Saver, 0xF060)); // SC_CLOSE
    for (RunMode mode : {NoMode, Configure, ChangePassword, Preview}) {
        EXPECT_FALSE(swallowsSystemCommand(mode, 0xF140)) << mode;
        EXPECT_FALSE(swallowsSystemCommand(mode, 0xF170)) << mode;
    }
}

TEST(SaverInput, KeyCodesOutsideTheTableAreIgnored) {
    setKeyFlag(27, 1);
    EXPECT_EQ(keyDown[27], 1);
    setKeyFlag(27, 0);
    EXPECT_EQ(keyDown[27], 0);
    setKeyFlag(255, 1);
    EXPECT_EQ(keyDown[255], 1);
    setKeyFlag(256, 1);
    setKeyFlag(~0ull, 1);
    setKeyFlag(255, 0);
    for (uint8_t flag : keyDown)
        EXPECT_EQ(flag, 0);
}

} // namespace
