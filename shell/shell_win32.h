#pragma once
// The saver shell's Win32 side: the window the run is attached to, the
// window procedure, the saver run and the password change.

#include "gl/gl_window_win32.h"
#include "shell/saver_input.h"

#include <windows.h>

// parentWindow (the preview area, the dialogs' owner or the password
// dialog's parent) and windowProc are declared with the window they serve.
// Where the cursor stands on the screen, for the input rules.
CursorPoint cursorPosition();
// The input every window of a run answers alike: a key, a close, and in a
// full-screen run a click or a mouse move away from the start end the run.
// True when the message was one of them.
bool answerRunInput(UINT message, WPARAM wParam);

// Opens the window, runs the saver loop and closes it; returns the exit code.
int runSaver();
// The saver loop over the Win32 message queue; returns the exit code.
int saverLoop();

void changeSaverPassword(HWND parent);
