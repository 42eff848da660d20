// The saver window's procedure: any key, a close, and in a full-screen run a
// click or a mouse move away from the start end the run.

#include "gl/gl_state.h"
#include "gl/gl_window_win32.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/shell_win32.h"

namespace {

void quit() {
    PostQuitMessage(0);
}

} // namespace

bool saverCoversScreen() {
    return runMode == Saver;
}

CursorPoint cursorPosition() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

bool answerRunInput(UINT message, WPARAM wParam) {
    const EndingInput rule = endingInputOf(runMode);
    switch (message) {
    case WM_CLOSE:
        quit();
        return true;
    case WM_KEYDOWN:
        if (keyEndsRun(rule, 0))
            quit();
        setKeyFlag(wParam, 1);
        return true;
    case WM_KEYUP:
        setKeyFlag(wParam, 0);
        return true;
    case WM_MOUSEMOVE:
        if (runMode == Saver && pointerMoveEndsRun(rule, cursorPosition()))
            quit();
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (buttonEndsRun(rule))
            quit();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        resizeViewport(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
        activeFlag = HIWORD(wParam) == 0 ? 1 : 0;
        return 0;
    case WM_DESTROY:
        // The display settings destroy the preview area, and our child window
        // with it; without a quit the run would spin on with no window. The
        // destruction closeSaverWindow makes itself comes after the loop.
        if (saverLoopRunning)
            quit();
        break;
    case WM_SYSCOMMAND:
        if (swallowsSystemCommand(runMode, wParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
        answerRunInput(message, wParam);
        break;
    default:
        if (answerRunInput(message, wParam))
            return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
