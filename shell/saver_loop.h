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

// The surfaces of a run beside its first, one per further monitor or output,
// as the platform has them now. Each shows the first surface's frame.
struct OtherSurfaces {
    int (*count)();
    // Makes the surface's context current and gives its size; false when it
    // cannot take a frame now (gone, or its last frame not yet shown).
    bool (*makeCurrent)(int index, int* width, int* height);
    void (*swapBuffers)(int index);
    // Makes the first surface's context current again.
    void (*makeFirstCurrent)();
};

struct SaverPlatform {
    EventPoll (*pollEvent)(int* exitCode);
    void (*swapBuffers)();
    // Waits until the next frame is due; null where frames follow as fast as
    // the swap allows.
    void (*waitForNextFrame)();
    // Null for a run on one surface, which draws its frame directly.
    const OtherSurfaces* others = nullptr;
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
