// Only a context made through EGL gets the GL emulation's set-up:
// emscripten_webgl_create_context skips it and the first glLoadIdentity
// throws. The context asks for client version 2 with a depth buffer, and the
// API is not bound to EGL_OPENGL_API, which the emulation refuses.
#include "gl/gl_window_web.h"

#include <EGL/egl.h>
#include <cstdio>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;

bool fail(const char* step) {
    std::fprintf(stderr, "norwyn: WebGL: %s (EGL error 0x%x)\n", step, static_cast<unsigned>(eglGetError()));
    closeWebGlWindow();
    return false;
}

} // namespace

bool openWebGlWindow() {
    display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        return fail("no display");
    const EGLint wanted[] = {EGL_RED_SIZE,   8, EGL_GREEN_SIZE, 8,  EGL_BLUE_SIZE, 8,
                             EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1)
        return fail("no configuration with a depth buffer");
    surface = eglCreateWindowSurface(display, config, 0, nullptr);
    if (surface == EGL_NO_SURFACE)
        return fail("no surface on the canvas");
    const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, version);
    if (context == EGL_NO_CONTEXT)
        return fail("no context");
    if (!eglMakeCurrent(display, surface, surface, context))
        return fail("the context cannot be made current");
    return true;
}

void closeWebGlWindow() {
    if (display == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT)
        eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE)
        eglDestroySurface(display, surface);
    eglTerminate(display);
    display = EGL_NO_DISPLAY;
    surface = EGL_NO_SURFACE;
    context = EGL_NO_CONTEXT;
}
