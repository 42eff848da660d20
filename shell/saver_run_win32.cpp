// A Preview or Saver run: open the window (and, full-screen, cover the other
// monitors), poll and draw until the run ends, store the frame rate of a
// full-screen run, close the window.

#include "gl/gl_window_win32.h"
#include "scene/frame_clock.h"
#include "shell/monitor_covers_win32.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/shell_win32.h"
#include "settings/settings_store.h"

HWND parentWindow = nullptr;

namespace {

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

// The Win32 message queue: a quit message ends the run with its wParam; any
// other message goes to its window procedure.
EventPoll pollMessage(int* exitCode) {
    MSG message = {};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return EventPoll::Empty;
    if (message.message == WM_QUIT) {
        *exitCode = static_cast<int>(message.wParam);
        return EventPoll::Quit;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return EventPoll::Handled;
}

void swapWindowBuffers() {
    SwapBuffers(deviceContext);
}

} // namespace

int saverLoop() {
    return saverLoop({pollMessage, swapWindowBuffers, nullptr});
}

int runSaver() {
    frameClock.update();
    RECT rect;
    if (runMode == Saver) {
        rect = screenRect();
        startCursor = cursorPosition();
    } else {
        rect = previewRect();
    }
    if (!openSaverWindow(saverWindowTitle, rect, colourBits))
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
