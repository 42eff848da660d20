#pragma once
// Windows the tests keep outside the screen. Wine maps no such window on the
// X display, and so never waits, as it does on hiding or destroying a mapped
// window with no window manager about, two seconds for a state change that
// does not come. Where a test does not look at the screen, its windows and
// the saver's lie out there.

#include <windows.h>

// A stand-in for the display settings' preview area, which a preview opens
// its window in: a visible top-level window of the given class ("STATIC"
// unless a test brings its own).
HWND createPreviewArea(int width, int height, const char* className = "STATIC");

// A rectangle of that size outside the screen, for the saver's own window.
RECT offScreenRect(int width, int height);

// Moves a window, a dialog say, outside the screen, keeping its size.
void moveOffScreen(HWND window);
