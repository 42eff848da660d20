// The monitor windows: topmost popups, one per monitor beside the primary,
// each with a context of its own when it can get one, closed before the
// scene's window.

#include "shell/monitor_windows_win32.h"

#include "gl/gl_window_win32.h"
#include "gl/shared_context_win32.h"
#include "shell/shell_win32.h"

#include <algorithm>

std::vector<MonitorWindow> monitorWindows;

namespace {

bool monitorClassRegistered = false;

BOOL CALLBACK collectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*rect);
    return TRUE;
}

bool registerMonitorClass() {
    WNDCLASSA monitorClass = {};
    monitorClass.style = CS_OWNDC;
    monitorClass.lpfnWndProc = monitorWindowProc;
    monitorClass.hInstance = GetModuleHandleA(nullptr);
    monitorClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    monitorClass.lpszClassName = monitorClassName;
    monitorClassRegistered = RegisterClassA(&monitorClass) != 0;
    return monitorClassRegistered;
}

void openMonitorWindow(const RECT& monitor, int colourBits) {
    MonitorWindow opened;
    opened.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, monitorClassName, "", WS_POPUP, monitor.left,
                                    monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!opened.window)
        return;
    opened.deviceContext = GetDC(opened.window);
    if (opened.deviceContext)
        opened.context = openSharedContext(opened.deviceContext, colourBits);
    // Shown without activation, so that the keys keep going to the scene.
    ShowWindow(opened.window, SW_SHOWNA);
    monitorWindows.push_back(opened);
}

bool showsScene(const MonitorWindow& monitor) {
    return monitor.context != nullptr;
}

bool showsScene(HWND window) {
    return std::ranges::any_of(monitorWindows, [window](const MonitorWindow& monitor) {
        return monitor.window == window && showsScene(monitor);
    });
}

int sceneMonitorCount() {
    return static_cast<int>(
        std::ranges::count_if(monitorWindows, [](const MonitorWindow& monitor) { return showsScene(monitor); }));
}

bool makeMonitorCurrent(int index, int* width, int* height) {
    const MonitorWindow& monitor = monitorWindows[index];
    RECT client = {};
    if (!GetClientRect(monitor.window, &client) || !wglMakeCurrent(monitor.deviceContext, monitor.context))
        return false;
    *width = client.right;
    *height = client.bottom;
    return true;
}

void swapMonitorBuffers(int index) {
    SwapBuffers(monitorWindows[index].deviceContext);
}

void makeSceneCurrent() {
    wglMakeCurrent(deviceContext, renderingContext);
}

} // namespace

const OtherSurfaces monitorSurfaces = {sceneMonitorCount, makeMonitorCurrent, swapMonitorBuffers, makeSceneCurrent};

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

void openMonitorWindows(const std::vector<RECT>& monitors, int colourBits) {
    if (monitors.empty() || !registerMonitorClass())
        return;
    for (const RECT& monitor : monitors)
        openMonitorWindow(monitor, colourBits);
    // The surfaces the loop counts come first, in the monitors' order.
    std::ranges::stable_partition(monitorWindows, [](const MonitorWindow& monitor) { return showsScene(monitor); });
}

void closeMonitorWindows() {
    // Released silently: a monitor's window has nothing to report that the
    // scene's own closing would not.
    for (const MonitorWindow& monitor : monitorWindows) {
        if (monitor.context)
            wglDeleteContext(monitor.context);
        if (monitor.deviceContext)
            ReleaseDC(monitor.window, monitor.deviceContext);
        DestroyWindow(monitor.window);
    }
    monitorWindows.clear();
    if (monitorClassRegistered)
        UnregisterClassA(monitorClassName, GetModuleHandleA(nullptr));
    monitorClassRegistered = false;
}

LRESULT CALLBACK monitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The scene's frames are not painted over; a black cover is.
    if (message == WM_ERASEBKGND && showsScene(window))
        return 1;
    // A close too ends the run: closing one window would leave its monitor bare.
    if (answerRunInput(message, wParam))
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
