// The saver run's wiring, in process under Wine: what the loop makes of the
// Escape flag, and what a run does to the system around it (the
// screen-saver-running flag, the cursor, the windows it shows), sampled from
// inside the running loop by a timer and ended with a key as a user would.

#include "gl/bitmap_source_win32.h"
#include "shell/error_box.h"
#include "gl/gl_window_win32.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/shell_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> errorTexts;

void captureErrorBox(const char* text, const char*, unsigned) {
    errorTexts.push_back(text);
}

// The shown-cursor count of this thread, left as it was.
int cursorCount() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

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
    bool taken = false;
    bool screenSaverRunning = false;
    int cursorCount = 0;
    std::vector<HWND> visibleWindows;
    HWND scenesWindow = nullptr;
};

DuringTheRun during;
UINT_PTR sampleTimer = 0;
UINT_PTR quitTimer = 0;
bool quitTimerFired = false;

void CALLBACK sampleThenPressAKey(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, sampleTimer);
    during.taken = true;
    during.screenSaverRunning = screenSaverRunning();
    during.cursorCount = cursorCount();
    during.visibleWindows = visibleWindowsOfThisThread();
    during.scenesWindow = saverWindow;
    PostMessageA(saverWindow, WM_KEYDOWN, VK_SPACE, 0);
}

void CALLBACK postQuitSeven(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, quitTimer);
    quitTimerFired = true;
    PostQuitMessage(7);
}

bool failingBitmapSource(int, BitmapPixels&) {
    return false;
}

class SaverRunWiring : public testing::Test {
protected:
    void SetUp() override {
        errorTexts.clear();
        errorBoxSink = captureErrorBox;
        bitmapSource = loadBitmapPixels;
        std::memset(keyDown, 0, sizeof keyDown);
        activeFlag = 1;
        during = DuringTheRun{};
        quitTimerFired = false;
        cursorsAtStart = cursorCount();
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        ASSERT_FALSE(screenSaverRunning());
        drainMessages();
    }
    void TearDown() override {
        KillTimer(nullptr, sampleTimer);
        KillTimer(nullptr, quitTimer);
        if (saverWindow)
            closeSaverWindow();
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
        parentWindow = nullptr;
        runMode = NoMode;
        std::memset(keyDown, 0, sizeof keyDown);
        while (cursorCount() < cursorsAtStart)
            ShowCursor(TRUE);
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren");
        drainMessages();
        EXPECT_EQ(errorTexts, std::vector<std::string>{});
    }

    // Takes what was posted; a window is never open here, whose WM_PAINT
    // would stay in the queue until it is painted.
    static void drainMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // Sets the mode; a preview gets an area of its own to draw in.
    void prepare(RunMode mode) {
        runMode = mode;
        parentWindow = nullptr;
        if (mode == Preview) {
            previewArea = CreateWindowExA(0, "STATIC", "Vista previa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200,
                                          150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            parentWindow = previewArea;
        }
    }

    // A whole run as WinMain makes it, sampled and then ended by a key.
    int sampledRun(RunMode mode) {
        prepare(mode);
        sampleTimer = SetTimer(nullptr, 0, 700, sampleThenPressAKey);
        quitTimer = SetTimer(nullptr, 0, 30000, postQuitSeven);
        const int exitCode = runSaver();
        KillTimer(nullptr, quitTimer);
        EXPECT_TRUE(during.taken) << mode;
        EXPECT_FALSE(quitTimerFired) << "the run did not end on its key";
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
        return exitCode;
    }

    int cursorsAtStart = 0;
    HWND previewArea = nullptr;
};

TEST_F(SaverRunWiring, TheEscapeFlagEndsASaverLoopButNotAPreviewLoop) {
    for (RunMode mode : {Saver, Preview}) {
        SCOPED_TRACE(mode);
        prepare(mode);
        ASSERT_TRUE(openSaverWindow("t", {0, 0, 160, 120}, 16));
        MSG quit;
        ASSERT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        keyDown[VK_ESCAPE] = 1;
        quitTimerFired = false;
        quitTimer = SetTimer(nullptr, 0, 1000, postQuitSeven);
        const int exitCode = saverLoop();
        KillTimer(nullptr, quitTimer);
        if (mode == Saver) {
            EXPECT_EQ(exitCode, 0);
            EXPECT_FALSE(quitTimerFired) << "the loop ran until the quit instead of ending on the flag";
        } else {
            EXPECT_EQ(exitCode, 7) << "only the quit ends a preview";
            EXPECT_TRUE(quitTimerFired);
        }
        closeSaverWindow();
        keyDown[VK_ESCAPE] = 0;
        if (IsWindow(previewArea))
            DestroyWindow(previewArea);
    }
}

TEST_F(SaverRunWiring, OnlyAFullScreenRunTellsTheSystemAScreenSaverRuns) {
    EXPECT_EQ(sampledRun(Saver), 0);
    EXPECT_TRUE(during.screenSaverRunning);
    EXPECT_FALSE(screenSaverRunning()) << "the run turned it off again";

    EXPECT_EQ(sampledRun(Preview), 0);
    EXPECT_FALSE(during.screenSaverRunning);
    EXPECT_FALSE(screenSaverRunning());

    // A full-screen run whose opening fails never gets as far.
    prepare(Saver);
    bitmapSource = failingBitmapSource;
    EXPECT_EQ(runSaver(), 0);
    EXPECT_FALSE(screenSaverRunning());
    EXPECT_EQ(errorTexts, std::vector<std::string>{"Initialization Failed."});
    errorTexts.clear();
}

TEST_F(SaverRunWiring, TheCursorHidesInAFullScreenRunOnly) {
    sampledRun(Preview);
    EXPECT_EQ(during.cursorCount, cursorsAtStart);
    EXPECT_GE(during.cursorCount, 0) << "visible";

    sampledRun(Saver);
    EXPECT_LT(during.cursorCount, 0) << "hidden";
}

TEST_F(SaverRunWiring, OnOneMonitorAFullScreenRunShowsTheScenesWindowAlone) {
    if (GetSystemMetrics(SM_CMONITORS) != 1)
        GTEST_SKIP() << "this display has more than one monitor";
    sampledRun(Saver);
    EXPECT_EQ(during.visibleWindows, std::vector<HWND>{during.scenesWindow});
}

} // namespace
