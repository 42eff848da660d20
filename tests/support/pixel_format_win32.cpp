#include "pixel_format_win32.h"

#include "gl/gl_window_win32.h"

bool setAnotherPixelFormat(HWND window) {
    HDC dc = GetDC(window);
    const PIXELFORMATDESCRIPTOR wanted = pixelFormatFor(16);
    const int saversChoice = ChoosePixelFormat(dc, &wanted);
    const int other = saversChoice == 1 ? 2 : 1;
    PIXELFORMATDESCRIPTOR described = {};
    DescribePixelFormat(dc, other, sizeof described, &described);
    const bool set = SetPixelFormat(dc, other, &described) != FALSE;
    ReleaseDC(window, dc);
    return set;
}
