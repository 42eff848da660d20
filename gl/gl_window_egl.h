#pragma once
// OpenGL contexts through EGL: desktop OpenGL (a compatibility context, as
// the scene draws in immediate mode) on the native windows of the display
// system EGL is given. One display, and under it one window surface and
// context per screen drawn; every context shares the textures and lists of a
// root context that lives as long as the display, so they outlast any one
// screen. GLX stays for X11, where EGL cannot draw on every visual a window
// someone else made may have.

#include <EGL/egl.h>

struct EglWindow {
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

// Opens EGL on the native display of the platform (EGL_PLATFORM_WAYLAND_KHR,
// ...), picks the configuration and makes the root context; false, with the
// reason on stderr, when any step fails.
bool openEglDisplay(EGLenum platform, void* nativeDisplay);
// A window surface on the native window and a context of its own in the
// root's share group; false, with one line on stderr naming the screen, and
// nothing kept, when either cannot be made.
bool openEglWindow(void* nativeWindow, const char* screen, EglWindow& window);
bool makeEglCurrent(const EglWindow& window);
// Swaps the window, current in its own context, without waiting for the
// display: the caller paces the frames.
void swapEglBuffers(const EglWindow& window);
// Leaves the root context current without a surface where EGL allows it,
// else no context, so that the share group can still be reached or nothing
// is drawn.
void makeEglRootCurrent();
// Releases the window's context and surface; nothing is current afterwards
// when it was.
void closeEglWindow(EglWindow& window);
// Releases the root context and the display connection.
void closeEglDisplay();
