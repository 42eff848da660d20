// A Preview or Saver run: open the window (and, full-screen, cover the other
// monitors), poll and draw until the run ends, store the frame rate of a
// full-screen run, close the window.

#include "gl/gl_window_win32.h"
#include "scene/frame.h"
#include "scene/frame_clock.h"
#include "shell/monitor_covers_win32.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/shell_win32.h"
#include "settings/settings_store.h"

HWND parentWindow = nullptr;
bool saverLoopRunning = false;

namespace {

constexpr const char* windowTitle = "Fan Tarvek Screensaver V0.1";
constexpr int colourBits = 16;

RECT screenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The parent's outer size, moved to the origin. A handle that names no
// window leaves it empty, and the window creation then fails.
RECT previewRect() {
    RECT parent = {};
    GetWindowRect(parentWindow, &parent);
    return {0, 0, parent.right - parent.left, parent.bottom - parent.top};
}

void recordStartCursor() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    startCursor = {cursor.x, cursor.y};
}

} // namespace

int saverLoop() {
    saverLoopRunning = true;
    MSG message = {};
    int exitCode = 0;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                exitCode = static_cast<int>(message.wParam);
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        if (activeFlag == 1)
            renderFrame();
        if (keyDown[VK_ESCAPE] == 1 && runMode == Saver)
            break;
        SwapBuffers(deviceContext);
    }
    saverLoopRunning = false;
    return exitCode;
}

int runSaver() {
    frameClock.update();
    RECT rect;
    if (runMode == Saver) {
        rect = screenRect();
        recordStartCursor();
    } else {
        rect = previewRect();
    }
    if (!openSaverWindow(windowTitle, rect, colourBits))
        return 0;
    openMonitorCovers();

    BOOL wasRunning = FALSE;
    if (runMode == Saver)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &wasRunning, 0);
    const int exitCode = saverLoop();
    if (runMode == Saver) {
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &wasRunning, 0);
        saveFrames();
    }
    closeMonitorCovers();
    closeSaverWindow();
    return exitCode;
}
