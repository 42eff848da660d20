#include "gl/shared_context_win32.h"

#include "gl/gl_window_win32.h"

HGLRC openSharedContext(HDC deviceContext, int colourBits) {
    const PIXELFORMATDESCRIPTOR format = pixelFormatFor(colourBits);
    const int formatIndex = ChoosePixelFormat(deviceContext, &format);
    if (!formatIndex || !SetPixelFormat(deviceContext, formatIndex, &format))
        return nullptr;
    const HGLRC context = wglCreateContext(deviceContext);
    if (!context)
        return nullptr;
    // Shared while the new context holds no object of its own, the one time
    // it may be.
    if (!wglShareLists(renderingContext, context)) {
        wglDeleteContext(context);
        return nullptr;
    }
    return context;
}
