#pragma once
// What the X11 and the Wayland runs share on POSIX: SIGTERM and SIGINT end a
// run at once in every state, the frames are paced by --delay, and the input
// a platform reports ends the run by the rules of its plan.

#include "shell/saver_input.h"

#include <cstdint>

// Catches SIGTERM and SIGINT on a wake-up pipe that every wait of a run
// watches.
void installStopSignals();
// The stop signal caught, or 0.
int stopSignal();
// A process that caught a stop signal to clean up ends by that signal, as its
// parent expects: the default action restored and the signal raised again.
void endByStopSignal();

// The next frame is due delayMicroseconds after the last one began, or at
// once when the last took longer; 0 draws as fast as the swap allows.
void startFramePacing(int64_t delayMicroseconds);
// Waits until the next frame is due and ready() (when given) says the
// platform can take it. Meanwhile a readable descriptor (when not -1) is
// handed to onReadable. Returns early on a stop signal or when runEnding().
void waitForNextFrame(int descriptor, void (*onReadable)(), bool (*ready)());

// The platform's input, decided by the plan's rules of shell/saver_input.h.
void reportKey(char typed);
void reportButton();
void reportPointer(CursorPoint position); // the first report of a run is where the pointer starts
void reportClose();                       // the window's close button, or its end
void reportResize(int width, int height);
// Ends the run with the given exit code at the next poll.
void endRun(int exitCode);
// True when a stop signal came or the run was asked to end; exitCode then
// holds the code to end with.
bool runEnding(int* exitCode);

// Sets the viewport and the GL state for the first frame; false, with the
// reason on stderr, when the pictures cannot be loaded.
bool prepareGl(int width, int height);
