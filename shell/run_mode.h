#pragma once

#include <cstdint>

// What this run of the program does, chosen once from the command line.
enum RunMode : int32_t {
    NoMode = 0, // no recognised switch: the run does nothing
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    Saver = 4,
};

extern RunMode runMode;
