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
