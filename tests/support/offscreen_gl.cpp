#include "offscreen_gl.h"

#include "gl/gl_headers.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;
int surfaceWidth = 0;
int surfaceHeight = 0;

EGLDisplay surfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

} // namespace

bool openOffscreenGl(int width, int height) {
    closeOffscreenGl();
    // The display stays initialised for the life of the process: terminating
    // it unloads Mesa's driver, which then shows up as leaks of an unknown module.
    if (display == EGL_NO_DISPLAY) {
        display = surfacelessDisplay();
        if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
            display = EGL_NO_DISPLAY;
            return false;
        }
    }
    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16,
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_NONE};
    EGLConfig config;
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1)
        return false;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API))
        return false;
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context))
        return false;
    surfaceWidth = width;
    surfaceHeight = height;
    return true;
}

void closeOffscreenGl() {
    if (display == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT)
        eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE)
        eglDestroySurface(display, surface);
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

std::vector<RgbPixel> readOffscreenPixels() {
    std::vector<RgbPixel> pixels(static_cast<size_t>(surfaceWidth) * surfaceHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surfaceWidth, surfaceHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
