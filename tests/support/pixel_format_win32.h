#pragma once
// Spoils a window for the saver's GL: a window takes one pixel format for its
// whole life, and a test that sets another first makes the saver's own
// SetPixelFormat fail, as a driver that refuses the format would.

#include <windows.h>

// Sets a pixel format on the window other than the one the saver chooses;
// true when it was set.
bool setAnotherPixelFormat(HWND window);
