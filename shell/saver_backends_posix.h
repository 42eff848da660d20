#pragma once
// The runs of the Linux program, one per display system it speaks.

#include "shell/hack_options.h"

// Each returns the process's exit code: 0 for a run that ended as it should,
// 1 when there was no display, no window or no GL to draw with.
int runX11Saver(const HackOptions& options, int argc, char** argv);
int runWaylandSaver(const HackOptions& options, int argc, char** argv);

// The run on the display system the session and the options choose.
int runOnChosenBackend(const HackOptions& options, int argc, char** argv);
