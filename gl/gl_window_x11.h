#pragma once
// The saver's X11 window and its GLX rendering context. A window someone else
// made (the daemon's, a preview's, the root window) keeps the visual its maker
// chose: the context is made for that visual when it can carry the scene, and
// otherwise for a child window of a visual that can, which fills the given one.

#include "gl/window_geometry.h"

#include <X11/Xlib.h>

extern Display* display;
extern Window saverWindow;   // the run's window: our own, or the one given
extern Window drawingWindow; // where GL draws: saverWindow, or the child that fills it
extern int windowWidth, windowHeight;

// Makes a top-level window of its own with a GL visual, titled and sized as
// given, shows it and makes its context current.
bool openOwnWindow(const char* title, const Geometry& geometry, int argc, char** argv);
// Draws on an existing window, directly or through a child that fills it;
// false, with the reason on stderr, when the window is not there or no
// visual of its screen has a GL configuration the scene can use.
bool openGivenWindow(Window window);
// The given window's new size, which the child that draws for it takes too.
void followGivenWindowSize(int width, int height);

// A window that has gone away shows as an X error on it (see saver_run_x11.cpp).
void swapWindowBuffers();
// Releases the context and surface, and destroys the windows that are our own.
void closeSaverWindow();
