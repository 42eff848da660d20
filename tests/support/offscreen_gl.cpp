#include "offscreen_gl.h"

#include "gl/gl_headers.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

namespace {

struct OffscreenSurface {
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    int width = 0;
    int height = 0;
};

EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config = nullptr;
OffscreenSurface surfaces[2];
int current = 0;

EGLDisplay surfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

bool openSurface(OffscreenSurface& made, int width, int height, EGLContext sharing) {
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    made.surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (made.surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API))
        return false;
    made.context = eglCreateContext(display, config, sharing, nullptr);
    if (made.context == EGL_NO_CONTEXT || !eglMakeCurrent(display, made.surface, made.surface, made.context))
        return false;
    made.width = width;
    made.height = height;
    current = static_cast<int>(&made - surfaces);
    return true;
}

void closeSurface(OffscreenSurface& closed) {
    if (closed.context != EGL_NO_CONTEXT)
        eglDestroyContext(display, closed.context);
    if (closed.surface != EGL_NO_SURFACE)
        eglDestroySurface(display, closed.surface);
    closed = OffscreenSurface{};
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
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1)
        return false;
    return openSurface(surfaces[0], width, height, EGL_NO_CONTEXT);
}

bool openSecondOffscreenGl(int width, int height) {
    return surfaces[0].context != EGL_NO_CONTEXT && openSurface(surfaces[1], width, height, surfaces[0].context);
}

void makeOffscreenCurrent(int surface) {
    current = surface;
    eglMakeCurrent(display, surfaces[surface].surface, surfaces[surface].surface, surfaces[surface].context);
}

void closeOffscreenGl() {
    if (display == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    closeSurface(surfaces[1]);
    closeSurface(surfaces[0]);
    current = 0;
}

std::vector<RgbPixel> readOffscreenPixels() {
    const OffscreenSurface& read = surfaces[current];
    std::vector<RgbPixel> pixels(static_cast<size_t>(read.width) * read.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, read.width, read.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
