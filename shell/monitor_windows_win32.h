#pragma once
// The windows over every monitor but the primary in a full-screen run. Each
// shows the scene's frame at its own monitor's size and aspect, through a
// context that shares the scene window's textures and lists; one that gets
// no pixel format or context stays a black cover. All of them end the run on
// the same input as the scene's window.

#include "shell/saver_loop.h"

#include <windows.h>

#include <vector>

constexpr const char* monitorClassName = "NorwynMonitor";

struct MonitorWindow {
    HWND window = nullptr;
    HDC deviceContext = nullptr; // its own for the window's life (CS_OWNDC)
    HGLRC context = nullptr;     // null for a black cover
};

// The monitor windows open now: those that show the scene first, in the
// order of the monitors given, then the black covers.
extern std::vector<MonitorWindow> monitorWindows;

// Every monitor apart from those the scene's window (0,0 to the primary's
// size) overlaps: the primary, and any monitor that mirrors it, which a
// topmost window would hide.
std::vector<RECT> monitorsBesideTheScene();

// Opens a window over each monitor, without taking the keyboard from the
// scene, and gives each a context that shares the current one's objects
// where it can; the current context stays current. A window that cannot be
// opened is left out, one that gets no context stays black: either silently,
// and the scene runs on.
void openMonitorWindows(const std::vector<RECT>& monitors, int colourBits);
// Deletes their contexts, destroys the windows and releases their class.
void closeMonitorWindows();

// The windows that show the scene, as the saver loop's further surfaces.
extern const OtherSurfaces monitorSurfaces;

LRESULT CALLBACK monitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
