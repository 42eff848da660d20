#pragma once
// A run of the saver, the same on every platform: a full-screen saver, a
// preview, a window of its own, a wallpaper. The run decides everything: its
// mode and the input that ends it, the clock, opening and what a failed
// opening returns, the loop, the frame-rate overlay, storing "frames" after a
// full-screen run, closing. A platform hands it a table of what only the
// platform can do, the way GLFW's and SDL's platform tables do, and turns its
// events into the calls of shell/saver_input.h.

#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"

struct RunPlan {
    RunMode mode = Preview; // Saver stores "frames" when it ends
    EndingInput endsOn = EndingInput::KeysOnly;
    bool showFps = false;
};

struct RunPlatform {
    // Makes the window or surface and its context current, sets the GL
    // state; on failure releases what it made and tells why.
    bool (*open)();
    SaverPlatform loop;
    void (*close)();
    // What a run whose opening failed returns: the .scr's WinMain returns 0
    // whatever happens, a Linux program 1.
    int openFailedExitCode;
    // What the platform undoes the moment the loop ends, before "frames" is
    // stored and the window closed (the system told that no saver runs now);
    // null where there is nothing.
    void (*loopEnded)() = nullptr;
};

// The plan of the run under way, for the platform's input translation.
extern RunPlan runPlan;

// Opens, loops, ends the loop, stores "frames" after a full-screen run and
// closes; returns the run's exit code.
int runSaver(const RunPlatform& platform, const RunPlan& plan);
