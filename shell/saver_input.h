#pragma once
// The input rules of a saver run: which input ends it, and the input state
// the run keeps. The platform's window code turns its events into these calls.

#include "shell/run_mode.h"

#include <cstdint>

struct CursorPoint {
    int32_t x = 0, y = 0;
};

extern uint8_t activeFlag;      // frames are drawn only while 1
extern uint8_t keyDown[256];    // one flag per virtual-key code
extern CursorPoint startCursor; // where the cursor stood when a Saver run began

constexpr int32_t mouseTolerance = 50; // pixels the mouse may wander before the saver ends
constexpr int escapeKey = 27;          // VK_ESCAPE

// True when the cursor has moved more than the tolerance from startCursor on either axis.
bool cursorMovedAway(CursorPoint cursor);
// A mouse move ends only a full-screen run, and only once the cursor has moved away.
bool mouseMoveEndsRun(RunMode mode, CursorPoint cursor);
// A click ends only a full-screen run; a preview swallows it.
bool clickEndsRun(RunMode mode);
// Sets a key's flag; a code outside 0..255 has no flag and is ignored.
void setKeyFlag(uint64_t keyCode, uint8_t down);
// True for the system commands a full-screen run refuses: starting the screen
// saver (SC_SCREENSAVE) and powering the monitor down (SC_MONITORPOWER). The
// whole command is compared, its low four bits included.
bool swallowsSystemCommand(RunMode mode, uint64_t command);
// The keys that close a saver in a window of its own, as the character they
// type: q, Q, Escape and Ctrl-C. Every other key is left to the desktop.
bool keyClosesOwnWindow(char typed);
