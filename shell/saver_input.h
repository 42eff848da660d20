#pragma once
// The input rules of a saver run: which input ends it, and the input state
// the run keeps. Every platform's window code turns its events into these
// calls and acts on their answer.

#include "shell/run_mode.h"

#include <cstdint>

struct CursorPoint {
    int32_t x = 0, y = 0;
};

// Which input ends a run, by the kind of run.
enum class EndingInput {
    Everything,  // a full-screen saver: any key, a button, a scroll, the pointer moving away
    KeysOnly,    // the Windows preview: a key ends it, the pointer is swallowed
    QuitKeys,    // a window of its own: q, Q, Escape or Ctrl-C
    FromOutside, // a window someone else made, a wallpaper: the run is ended from outside
};

extern uint8_t activeFlag;      // frames are drawn only while 1
extern uint8_t keyDown[256];    // one flag per virtual-key code
extern CursorPoint startCursor; // where the cursor stood when a Saver run began

constexpr int32_t mouseTolerance = 50; // pixels the mouse may wander before the saver ends
constexpr int escapeKey = 27;          // VK_ESCAPE

// The rule of the Windows runs, which follows the command line's mode.
EndingInput endingInputOf(RunMode mode);

// A position on a surface that covers an output whose top-left corner stands
// at origin in the compositor's layout, placed in that layout, so that the
// tolerance counts across outputs; a sum past the 32-bit range stops at its end.
CursorPoint placeInLayout(CursorPoint origin, CursorPoint onSurface);
// True when the cursor has moved more than the tolerance from startCursor on either axis.
bool cursorMovedAway(CursorPoint cursor);
// A pointer move ends only a full-screen run, and only once the cursor has moved away.
bool pointerMoveEndsRun(EndingInput rule, CursorPoint cursor);
// A button or a scroll ends only a full-screen run; elsewhere it is swallowed.
bool buttonEndsRun(EndingInput rule);
// A key, as the character it types (0 for a key that types none).
bool keyEndsRun(EndingInput rule, char typed);
// Sets a key's flag; a code outside 0..255 has no flag and is ignored.
void setKeyFlag(uint64_t keyCode, uint8_t down);
// True for the system commands a full-screen run refuses: starting the screen
// saver (SC_SCREENSAVE) and powering the monitor down (SC_MONITORPOWER). The
// whole command is compared, its low four bits included.
bool swallowsSystemCommand(RunMode mode, uint64_t command);
// The keys that close a saver in a window of its own, as the character they
// type: q, Q, Escape and Ctrl-C. Every other key is left to the desktop.
bool keyClosesOwnWindow(char typed);
