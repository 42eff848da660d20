#pragma once
// The saver's X11 window and its GLX rendering context. The context is always
// made for the window's own visual: a window someone else made (the daemon's,
// a preview's, the root window) keeps the visual its maker chose.

#include "gl/window_geometry.h"

#include <X11/Xlib.h>

extern Display* display;
extern Window saverWindow;
extern int windowWidth, windowHeight;

// Makes a top-level window of its own with a GL visual, titled and sized as
// given, shows it and makes its context current.
bool openOwnWindow(const char* title, const Geometry& geometry, int argc, char** argv);
// Draws on an existing window; false, with the reason on stderr, when the
// window is not there or its visual has no GL configuration.
bool openGivenWindow(Window window);

// A window that has gone away shows as an X error on it (see saver_run_x11.cpp).
void swapWindowBuffers();
// Releases the context and surface, and destroys the window if it is our own.
void closeSaverWindow();
