#pragma once
// The frame loop of a run, the same on every platform: take the platform's
// waiting events one at a time; when none is waiting, draw a frame while the
// window is active, leave a full-screen run when Escape is down, draw the
// frame rate over it when asked, and swap. The platform file only polls,
// swaps and paces.

// What one look at the platform's event queue found.
enum class EventPoll {
    Empty,   // nothing was waiting
    Handled, // one event was taken and handled
    Quit,    // the run was asked to end; the poll gave its exit code
};

struct SaverPlatform {
    EventPoll (*pollEvent)(int* exitCode);
    void (*swapBuffers)();
    // Waits until the next frame is due; null where frames follow as fast as
    // the swap allows.
    void (*waitForNextFrame)();
};

// True while saverLoop polls and draws.
extern bool saverLoopRunning;
// Set for a run that shows its frame rate in the lower-left corner.
extern bool showFrameRate;

// Polls and draws until the run ends; returns the exit code of the quit, or
// 0 when Escape ended it.
int saverLoop(const SaverPlatform& platform);

// The title of the saver's window on every platform.
constexpr const char* saverWindowTitle = "Fan Tarvek Screensaver V0.1";
