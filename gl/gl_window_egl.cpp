#include "gl/gl_window_egl.h"

#include <EGL/eglext.h>

#include <cstdio>

namespace {

EGLDisplay eglDisplay = EGL_NO_DISPLAY;
EGLConfig eglConfig = nullptr;
EGLContext eglContext = EGL_NO_CONTEXT;

bool report(const char* step) {
    std::fprintf(stderr, "norwyn: EGL: %s (error 0x%x)\n", step, static_cast<unsigned>(eglGetError()));
    return false;
}

EGLDisplay platformDisplay(EGLenum platform, void* nativeDisplay) {
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(platform, nativeDisplay, nullptr);
}

int attribute(EGLConfig config, EGLint name) {
    EGLint value = 0;
    eglGetConfigAttrib(eglDisplay, config, name, &value);
    return value;
}

// RGB of exactly 8 bits each: Mesa lists 10-bit configurations first where
// the compositor offers them, and those came out blank under weston. One
// without alpha is taken first, so that the compositor never blends the
// scene with what lies behind it.
EGLConfig chooseConfig() {
    const EGLint wanted[] = {EGL_SURFACE_TYPE,
                             EGL_WINDOW_BIT,
                             EGL_RENDERABLE_TYPE,
                             EGL_OPENGL_BIT,
                             EGL_RED_SIZE,
                             8,
                             EGL_GREEN_SIZE,
                             8,
                             EGL_BLUE_SIZE,
                             8,
                             EGL_DEPTH_SIZE,
                             16,
                             EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!eglChooseConfig(eglDisplay, wanted, configs, 64, &count))
        return nullptr;
    EGLConfig withAlpha = nullptr;
    for (EGLint index = 0; index < count; ++index) {
        const EGLConfig config = configs[index];
        if (attribute(config, EGL_RED_SIZE) != 8 || attribute(config, EGL_GREEN_SIZE) != 8 ||
            attribute(config, EGL_BLUE_SIZE) != 8)
            continue;
        if (attribute(config, EGL_ALPHA_SIZE) == 0)
            return config;
        if (!withAlpha)
            withAlpha = config;
    }
    return withAlpha;
}

} // namespace

bool openEglDisplay(EGLenum platform, void* nativeDisplay) {
    eglDisplay = platformDisplay(platform, nativeDisplay);
    bool opened = false;
    if (eglDisplay == EGL_NO_DISPLAY || !eglInitialize(eglDisplay, nullptr, nullptr))
        report("no EGL for this display");
    else if (!eglBindAPI(EGL_OPENGL_API))
        report("no desktop OpenGL");
    else if (!(eglConfig = chooseConfig()))
        report("no configuration of 8-bit red, green and blue with a depth buffer");
    else if ((eglContext = eglCreateContext(eglDisplay, eglConfig, EGL_NO_CONTEXT, nullptr)) == EGL_NO_CONTEXT)
        report("cannot make an OpenGL context");
    else
        opened = true;
    if (!opened)
        closeEglDisplay();
    return opened;
}

bool openEglWindow(void* nativeWindow, const char* screen, EglWindow& window) {
    window.surface =
        eglCreateWindowSurface(eglDisplay, eglConfig, reinterpret_cast<EGLNativeWindowType>(nativeWindow), nullptr);
    if (window.surface != EGL_NO_SURFACE)
        return true;
    std::fprintf(stderr, "norwyn: EGL: cannot make a window surface for %s (error 0x%x)\n", screen,
                 static_cast<unsigned>(eglGetError()));
    return false;
}

bool makeEglCurrent(const EglWindow& window) {
    if (!eglMakeCurrent(eglDisplay, window.surface, window.surface, eglContext))
        return report("cannot make the OpenGL context current");
    // A swap that waited for the compositor would block for good on a
    // surface it no longer shows; the run paces itself on frame callbacks.
    eglSwapInterval(eglDisplay, 0);
    return true;
}

void swapEglBuffers(const EglWindow& window) {
    eglSwapBuffers(eglDisplay, window.surface);
}

void makeEglCurrentOnNoSurface() {
    if (!eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, eglContext))
        eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void closeEglWindow(EglWindow& window) {
    if (window.surface == EGL_NO_SURFACE)
        return;
    if (eglGetCurrentSurface(EGL_DRAW) == window.surface)
        makeEglCurrentOnNoSurface();
    eglDestroySurface(eglDisplay, window.surface);
    window = {};
}

void closeEglDisplay() {
    if (eglDisplay == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (eglContext != EGL_NO_CONTEXT)
        eglDestroyContext(eglDisplay, eglContext);
    eglTerminate(eglDisplay);
    eglDisplay = EGL_NO_DISPLAY;
    eglConfig = nullptr;
    eglContext = EGL_NO_CONTEXT;
}
