#pragma once
// A window's OpenGL context through EGL: desktop OpenGL (a compatibility
// context, as the scene draws in immediate mode) on a native window of the
// display system EGL is given. GLX stays for X11, where EGL cannot draw on
// every visual a window someone else made may have.

#include <EGL/egl.h>

// Opens EGL on the native display of the platform (EGL_PLATFORM_WAYLAND_KHR,
// ...), makes a context on the native window and makes it current; false,
// with the reason on stderr, when any step fails.
bool openEglWindow(EGLenum platform, void* nativeDisplay, void* nativeWindow);
// Swaps without waiting for the display: the caller paces the frames.
void swapEglBuffers();
// Releases the context, the surface and the display connection.
void closeEglWindow();
