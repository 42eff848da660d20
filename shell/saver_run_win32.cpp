// The Win32 side of a Preview or Saver run: the window over the screen or
// the preview area (and, full-screen, the windows that show the scene on the
// other monitors and the system told that a screen saver runs), the message
// queue, the swaps.

#include "gl/gl_window_win32.h"
#include "shell/monitor_windows_win32.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/saver_run.h"
#include "shell/shell_win32.h"

HWND parentWindow = nullptr;

namespace {

constexpr int colourBits = 16;
BOOL wasRunning = FALSE;

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

// The other monitors' windows count no surface outside a full-screen run.
constexpr SaverPlatform messageLoop = {pollMessage, swapWindowBuffers, nullptr, &monitorSurfaces};

bool openRun() {
    RECT rect;
    if (runMode == Saver) {
        rect = screenRect();
        startCursor = cursorPosition();
    } else {
        rect = previewRect();
    }
    if (!openSaverWindow(saverWindowTitle, rect, colourBits))
        return false;
    if (runMode == Saver) {
        openMonitorWindows(monitorsBesideTheScene(), colourBits);
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &wasRunning, 0);
    }
    return true;
}

// The system hears that the saver stopped before "frames" is stored.
void leaveRun() {
    if (runMode == Saver)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &wasRunning, 0);
}

void closeRun() {
    closeMonitorWindows();
    closeSaverWindow();
}

} // namespace

int saverLoop() {
    return saverLoop(messageLoop);
}

int runSaver() {
    const RunPlan plan = {runMode, endingInputOf(runMode), false};
    return runSaver({openRun, messageLoop, closeRun, 0, leaveRun}, plan);
}
