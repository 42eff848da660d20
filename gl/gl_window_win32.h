#pragma once
// The saver's window and its WGL rendering context.

#include <windows.h>

extern HWND saverWindow;
extern HDC deviceContext;
extern HGLRC renderingContext;
extern HINSTANCE moduleHandle;

constexpr const char* windowClassName = "OpenGL";

// What the shell that opens the window provides: the procedure that answers
// its messages, the preview area it lives in, and whether it covers the
// screen (a full-screen run, which also hides the cursor).
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern HWND parentWindow;
bool saverCoversScreen();

// A double-buffered RGBA format of colourBits with a 16-bit depth buffer.
PIXELFORMATDESCRIPTOR pixelFormatFor(int colourBits);

// Opens the window over rect with the pixel format above, makes its context current and sets the GL state.
// On failure everything built is released, the reason shown, and false returned.
bool openSaverWindow(const char* title, RECT rect, int colourBits);
// Releases what is held in the reverse order. A window already destroyed from
// outside (with the preview area it lived in) took its device context with
// it: there is nothing left to release, and no failure to report.
void closeSaverWindow();
