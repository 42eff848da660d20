#pragma once
// A run of the Linux program on X11: open the display and the window, run
// the saver loop until a signal, the window's end or a quit key, store the
// frame rate of a full-screen run.

#include "shell/hack_options.h"

// Returns the process's exit code: 0 for a run that ended as it should, 1
// when there was no display, no window or no GL to draw with.
int runX11Saver(const HackOptions& options, int argc, char** argv);
