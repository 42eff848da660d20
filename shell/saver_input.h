#pragma once
// The input state a saver run reacts to.

#include "shell/run_mode.h"

#include <cstdint>

struct CursorPoint {
    int32_t x = 0, y = 0;
};

extern uint8_t activeFlag;     // frames are drawn only while 1
extern uint8_t keyDown[256];   // one flag per virtual-key code
extern CursorPoint startCursor; // where the cursor stood when a Saver run began

constexpr int32_t mouseTolerance = 50; // pixels the mouse may wander before the saver ends

// True when the cursor has moved more than the tolerance from startCursor on either axis.
bool cursorMovedAway(CursorPoint cursor);
// Sets a key's flag; a code outside 0..255 has no flag and is ignored.
void setKeyFlag(uint64_t keyCode, uint8_t down);
// True for the system commands a full-screen run refuses: starting the screen
// saver (SC_SCREENSAVE) and powering the monitor down (SC_MONITORPOWER). The
// whole command is compared, its low four bits included.
bool swallowsSystemCommand(RunMode mode, uint64_t command);
