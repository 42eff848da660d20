#pragma once
// What the tests that open the saver's window in process share: their
// fixture, a run ended by a key, and the looks at what a window leaves.

#include "error_boxes_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

// Whether the saver's window class, "OpenGL", is registered in this process.
bool windowClassRegistered();

// Takes every message waiting for this thread; true when a WM_QUIT was among
// them.
bool drainMessages();

// A full-screen run with no preview area, the pictures from this
// executable's resources and the error boxes caught. After the test the
// saver's window is closed and its class unregistered, whatever the test
// left; the cursor shows as before, and no caught box may be left that the
// test did not take.
class SaverWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Where the saver's window opens when a test does not need it on the
    // screen (see off_screen_win32.h).
    static RECT windowRect();

    // A whole run as WinMain makes it, ended by a key as a user would end
    // it once it has drawn some frames. Just before the key, atTheKey runs
    // inside the run's loop. The run must end on that key, closing all it
    // opened; returns its exit code.
    static int runUntilAKey(const std::function<void()>& atTheKey = {});

    // The frames the saver's loop has drawn since the test began. The test's
    // frame clock reads the system's counter as the product's does, and
    // counts the readings taken while the loop runs: the one each frame makes.
    static int framesDrawn();

    // Runs action inside the loop under way once it has drawn that many
    // more frames, from a timer the loop's own polling dispatches; never if
    // the loop draws fewer. One watch at a time; stopWatchingFrames ends it.
    static void afterFrames(int frames, const std::function<void()>& action);
    static void stopWatchingFrames();

    int cursorsAtStart = 0; // the cursor's display count before the test
};
