// The saver run's wiring, in process under Wine: what the loop makes of the
// Escape flag, and what a run does to the system around it (the
// screen-saver-running flag, the cursor, the windows it shows), sampled from
// inside the running loop and ended with a key as a user would.

#include "gl/gl_window_win32.h"
#include "gl/texture_set.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/shell_win32.h"

#include "cursor_win32.h"
#include "off_screen_win32.h"
#include "registry_win32.h"
#include "saver_window_test_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string_view>
#include <vector>

namespace {

bool screenSaverRunning() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

BOOL CALLBACK collectVisible(HWND window, LPARAM windows) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> visibleWindowsOfThisThread() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The state of things while the loop ran, taken once it had drawn a moment.
struct DuringTheRun {
    bool screenSaverRunning = false;
    int cursorCount = 0;
    std::vector<HWND> visibleWindows;
    HWND scenesWindow = nullptr;
};

class SaverRunWiring : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        ASSERT_FALSE(screenSaverRunning());
        drainMessages();
    }
    void TearDown() override {
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        deleteSettingsKey();
        SaverWindowTest::TearDown();
    }

    // Sets the mode; a preview gets an area of its own to draw in.
    void prepare(RunMode mode) {
        runMode = mode;
        parentWindow = nullptr;
        if (mode == Preview) {
            previewArea = createPreviewArea(200, 150);
            parentWindow = previewArea;
        }
    }

    // A whole run as WinMain makes it, sampled just before the key that ends it.
    DuringTheRun sampledRun(RunMode mode) {
        prepare(mode);
        DuringTheRun during;
        EXPECT_EQ(runUntilAKey([&] {
                      during.screenSaverRunning = screenSaverRunning();
                      during.cursorCount = cursorDisplayCount();
                      during.visibleWindows = visibleWindowsOfThisThread();
                      during.scenesWindow = saverWindow;
                  }),
                  0)
            << mode;
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
        return during;
    }

    HWND previewArea = nullptr;
};

bool quitPosted = false;
UINT_PTR giveUpTimer = 0;

void postQuitSeven() {
    quitPosted = true;
    PostQuitMessage(7);
}

void CALLBACK giveUpWithNinetyNine(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, giveUpTimer);
    PostQuitMessage(99);
}

// A loop that goes on past the flag draws a second frame, and the quit
// comes after it: a full-screen loop must have ended on the flag after its
// first, a preview must still be running. A loop that draws nothing at all
// is ended after half a minute, with a code no one expects.
TEST_F(SaverRunWiring, TheEscapeFlagEndsASaverLoopButNotAPreviewLoop) {
    for (RunMode mode : {Saver, Preview}) {
        SCOPED_TRACE(mode);
        prepare(mode);
        ASSERT_TRUE(openSaverWindow("t", mode == Saver ? windowRect() : RECT{0, 0, 160, 120}, 16));
        MSG quit;
        ASSERT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        keyDown[VK_ESCAPE] = 1;
        quitPosted = false;
        afterFrames(2, postQuitSeven);
        giveUpTimer = SetTimer(nullptr, 0, 30000, giveUpWithNinetyNine);
        const int exitCode = saverLoop();
        stopWatchingFrames();
        KillTimer(nullptr, giveUpTimer);
        if (mode == Saver) {
            EXPECT_EQ(exitCode, 0);
            EXPECT_FALSE(quitPosted) << "the loop ran until the quit instead of ending on the flag";
        } else {
            EXPECT_EQ(exitCode, 7) << "only the quit ends a preview";
            EXPECT_TRUE(quitPosted);
        }
        closeSaverWindow();
        keyDown[VK_ESCAPE] = 0;
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
    }
}

TEST_F(SaverRunWiring, OnlyAFullScreenRunTellsTheSystemAScreenSaverRuns) {
    EXPECT_TRUE(sampledRun(Saver).screenSaverRunning);
    EXPECT_FALSE(screenSaverRunning()) << "the run turned it off again";

    EXPECT_FALSE(sampledRun(Preview).screenSaverRunning);
    EXPECT_FALSE(screenSaverRunning());

    // A full-screen run whose opening fails never gets as far.
    prepare(Saver);
    bitmapSource = [](int, BitmapPixels&) { return false; };
    EXPECT_EQ(runSaver(), 0);
    EXPECT_FALSE(screenSaverRunning());
    EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{openingError("Initialization Failed.")});
}

// A store that notes, at each write of "frames", whether the system was told
// that a screen saver runs.
std::vector<bool> runningAtEachFramesWrite;

bool readNothing(StoredValue*, int) {
    return false;
}

bool noteTheRunningState(const StoredValue* values, int count) {
    for (int index = 0; index < count; ++index)
        if (std::string_view(values[index].name) == "frames")
            runningAtEachFramesWrite.push_back(screenSaverRunning());
    return true;
}

TEST_F(SaverRunWiring, TheSystemHearsTheSaverStoppedBeforeFramesIsStored) {
    const SettingsStore productStore = settingsStore;
    settingsStore = {readNothing, noteTheRunningState};
    runningAtEachFramesWrite.clear();
    const DuringTheRun saver = sampledRun(Saver);
    settingsStore = productStore;
    EXPECT_TRUE(saver.screenSaverRunning);
    EXPECT_EQ(runningAtEachFramesWrite, std::vector<bool>{false}) << "one write, after the system heard";
}

TEST_F(SaverRunWiring, TheCursorHidesInAFullScreenRunOnly) {
    const DuringTheRun preview = sampledRun(Preview);
    EXPECT_EQ(preview.cursorCount, cursorsAtStart);
    EXPECT_GE(preview.cursorCount, 0) << "visible";

    EXPECT_LT(sampledRun(Saver).cursorCount, 0) << "hidden";
}

TEST_F(SaverRunWiring, OnOneMonitorAFullScreenRunShowsTheScenesWindowAlone) {
    if (GetSystemMetrics(SM_CMONITORS) != 1)
        GTEST_SKIP() << "this display has more than one monitor";
    const DuringTheRun saver = sampledRun(Saver);
    EXPECT_EQ(saver.visibleWindows, std::vector<HWND>{saver.scenesWindow});
}

} // namespace
