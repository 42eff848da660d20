#pragma once
// The black windows over every monitor but the primary in a full-screen run.
// The scene stays on the primary monitor; the covers only darken the others
// and end the run on the same input as the scene's window.

#include <windows.h>

#include <vector>

constexpr const char* coverClassName = "NorwynCover";

// The covers open now, one for each monitor the scene's window leaves out.
extern std::vector<HWND> monitorCovers;

// In a Saver run, opens a cover over each monitor that the scene's window
// (0,0 to the primary's size) does not reach, without taking the keyboard
// from the scene. Does nothing in any other run. A cover that cannot be
// opened is left out silently: the scene runs on without it.
void openMonitorCovers();
// Destroys the covers and releases their class.
void closeMonitorCovers();

LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
