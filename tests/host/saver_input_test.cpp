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
