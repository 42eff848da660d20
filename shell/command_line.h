#pragma once
// The scan of the program's whole command line (program path included) into
// the run mode and the window handle that the switch carries.

#include "shell/run_mode.h"

#include <cstdint>

struct CommandLine {
    RunMode mode = NoMode;
    int64_t windowNumber = 0;           // the handle's value in decimal; 0 is no window
    bool wantsForegroundWindow = false; // a bare configure switch: owner is the foreground window
};

CommandLine scanCommandLine(const char* line);

// A signed decimal number after optional white space and sign, as strtol
// reads it, but saturating at the 64-bit limits instead of overflowing.
int64_t readNumber(const char* text);
