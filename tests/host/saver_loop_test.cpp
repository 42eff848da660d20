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

} // namespace
