// The covers: plain black popups with no GL, one per monitor beside the
// primary, closed before the scene's window.

#include "shell/monitor_covers_win32.h"

#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/shell_win32.h"

std::vector<HWND> monitorCovers;

namespace {

bool coverClassRegistered = false;

BOOL CALLBACK collectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*rect);
    return TRUE;
}

// Every monitor apart from those the scene's window overlaps: the primary,
// and any monitor that mirrors it, which a topmost cover would hide.
std::vector<RECT> monitorsBesideTheScene() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    const RECT scene = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::erase_if(monitors, [&scene](const RECT& monitor) {
        RECT overlap;
        return IntersectRect(&overlap, &monitor, &scene) != FALSE;
    });
    return monitors;
}

bool registerCoverClass() {
    WNDCLASSA coverClass = {};
    coverClass.lpfnWndProc = coverWindowProc;
    coverClass.hInstance = GetModuleHandleA(nullptr);
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = coverClassName;
    coverClassRegistered = RegisterClassA(&coverClass) != 0;
    return coverClassRegistered;
}

void openCover(const RECT& monitor) {
    const HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, coverClassName, "", WS_POPUP, monitor.left,
                                       monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!cover)
        return;
    // Shown without activation, so that the keys keep going to the scene.
    ShowWindow(cover, SW_SHOWNA);
    monitorCovers.push_back(cover);
}

} // namespace

void openMonitorCovers() {
    if (runMode != Saver)
        return;
    const std::vector<RECT> monitors = monitorsBesideTheScene();
    if (monitors.empty() || !registerCoverClass())
        return;
    for (const RECT& monitor : monitors)
        openCover(monitor);
}

void closeMonitorCovers() {
    for (HWND cover : monitorCovers)
        DestroyWindow(cover);
    monitorCovers.clear();
    if (coverClassRegistered)
        UnregisterClassA(coverClassName, GetModuleHandleA(nullptr));
    coverClassRegistered = false;
}

LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A close too ends the run: closing one cover would leave its monitor bare.
    if (answerRunInput(message, wParam))
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
