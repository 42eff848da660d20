// Opening and closing the saver's window: class, window, pixel format and WGL
// context, in that order, each failure shown under "ERROR" and each tear-down
// failure under "SHUTDOWN ERROR".

#include "gl/gl_window_win32.h"

#include "gl/error_box.h"
#include "gl/gl_state.h"
#include "resources/resource_ids.h"

HWND saverWindow = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
HINSTANCE moduleHandle = nullptr;

namespace {

constexpr unsigned openingFlags = MB_OK | MB_ICONEXCLAMATION;
constexpr unsigned closingFlags = MB_OK | MB_ICONINFORMATION;

bool registerWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = moduleHandle;
    windowClass.hIcon = LoadIconA(moduleHandle, MAKEINTRESOURCEA(IDI_NORWYN));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass) != 0;
}

// Releases what the opening built, then shows why it failed.
bool failOpening(const char* message) {
    closeSaverWindow();
    showErrorBox(message, "ERROR", openingFlags);
    return false;
}

} // namespace

PIXELFORMATDESCRIPTOR pixelFormatFor(int colourBits) {
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(colourBits);
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

bool openSaverWindow(const char* title, RECT rect, int colourBits) {
    moduleHandle = GetModuleHandleA(nullptr);
    if (!registerWindowClass()) {
        showErrorBox("Failed To Register The Window Class.", "ERROR", openingFlags);
        return false;
    }

    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = saverCoversScreen() ? WS_POPUP : WS_CHILD | WS_VISIBLE;
    RECT adjusted = rect;
    AdjustWindowRectEx(&adjusted, style, FALSE, exStyle);

    saverWindow = CreateWindowExA(exStyle, windowClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  adjusted.left, adjusted.top, adjusted.right - adjusted.left,
                                  adjusted.bottom - adjusted.top, parentWindow, nullptr, moduleHandle, nullptr);
    if (!saverWindow)
        return failOpening("Window Creation Error.");

    const PIXELFORMATDESCRIPTOR format = pixelFormatFor(colourBits);
    deviceContext = GetDC(saverWindow);
    if (!deviceContext)
        return failOpening("Can't Create A GL Device Context.");
    const int formatIndex = ChoosePixelFormat(deviceContext, &format);
    if (!formatIndex)
        return failOpening("Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(deviceContext, formatIndex, &format))
        return failOpening("Can't Set The PixelFormat.");
    renderingContext = wglCreateContext(deviceContext);
    if (!renderingContext)
        return failOpening("Can't Create A GL Rendering Context.");
    if (!wglMakeCurrent(deviceContext, renderingContext))
        return failOpening("Can't Activate The GL Rendering Context.");

    ShowWindow(saverWindow, SW_SHOW);
    SetForegroundWindow(saverWindow);
    SetFocus(saverWindow);
    if (saverCoversScreen())
        ShowCursor(FALSE);
    resizeViewport(rect.right - rect.left, rect.bottom - rect.top);
    if (!initGlState())
        return failOpening("Initialization Failed.");
    return true;
}

void closeSaverWindow() {
    if (renderingContext) {
        if (!wglMakeCurrent(nullptr, nullptr))
            showErrorBox("Release Of DC And RC Failed.", "SHUTDOWN ERROR", closingFlags);
        if (!wglDeleteContext(renderingContext))
            showErrorBox("Release Rendering Context Failed.", "SHUTDOWN ERROR", closingFlags);
        renderingContext = nullptr;
    }
    if (saverWindow && !IsWindow(saverWindow)) {
        saverWindow = nullptr;
        deviceContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(saverWindow, deviceContext))
            showErrorBox("Release Device Context Failed.", "SHUTDOWN ERROR", closingFlags);
        deviceContext = nullptr;
    }
    if (saverWindow) {
        if (!DestroyWindow(saverWindow))
            showErrorBox("Could Not Release hWnd.", "SHUTDOWN ERROR", closingFlags);
        saverWindow = nullptr;
    }
    if (!UnregisterClassA(windowClassName, moduleHandle))
        showErrorBox("Could Not Unregister Class.", "SHUTDOWN ERROR", closingFlags);
}
