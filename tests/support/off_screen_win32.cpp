#include "off_screen_win32.h"

namespace {

// Far beyond any screen Xvfb or a monitor layout gives.
constexpr int offScreen = -30000;

} // namespace

HWND createPreviewArea(int width, int height, const char* className) {
    return CreateWindowExA(0, className, "Vista previa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, offScreen, offScreen, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

RECT offScreenRect(int width, int height) {
    return {offScreen, offScreen, offScreen + width, offScreen + height};
}

void moveOffScreen(HWND window) {
    SetWindowPos(window, nullptr, offScreen, offScreen, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
