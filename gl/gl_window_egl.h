#pragma once
// An OpenGL context through EGL: desktop OpenGL (a compatibility context, as
// the scene draws in immediate mode) on the native windows of the display
// system EGL is given. One display and one context, made current on one
// window surface per screen in turn: the textures and lists live in that one
// context, so they outlast any one screen, and no share group is needed
// (llvmpipe draws a frame about three times slower in a context that shares
// its objects). GLX stays for X11, where EGL cannot draw on every visual a
// window someone else made may have.

#include <EGL/egl.h>

struct EglWindow {
    EGLSurface surface = EGL_NO_SURFACE;
};

// Opens EGL on the native display of the platform (EGL_PLATFORM_WAYLAND_KHR,
// ...), picks the configuration and makes the context; false, with the
// reason on stderr, when any step fails.
bool openEglDisplay(EGLenum platform, void* nativeDisplay);
// A window surface on the native window; false, with one line on stderr
// naming the screen, when it cannot be made.
bool openEglWindow(void* nativeWindow, const char* screen, EglWindow& window);
// Makes the context current on the window.
bool makeEglCurrent(const EglWindow& window);
// Swaps the window, current, without waiting for the display: the caller
// paces the frames.
void swapEglBuffers(const EglWindow& window);
// Leaves the context current on no surface where EGL allows it, else no
// context at all: nothing is drawn, and the textures and lists stay.
void makeEglCurrentOnNoSurface();
// Releases the window's surface; when it was current, the context is left
// on no surface.
void closeEglWindow(EglWindow& window);
// Releases the context and the display connection.
void closeEglDisplay();
