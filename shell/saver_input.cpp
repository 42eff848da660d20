#include "shell/saver_input.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

uint8_t activeFlag = 1;
uint8_t keyDown[256] = {};
CursorPoint startCursor;

EndingInput endingInputOf(RunMode mode) {
    return mode == Saver ? EndingInput::Everything : EndingInput::KeysOnly;
}

namespace {

int32_t clampedSum(int32_t a, int32_t b) {
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min(), highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(static_cast<int64_t>(a) + b, lowest, highest));
}

} // namespace

CursorPoint placeInLayout(CursorPoint origin, CursorPoint onSurface) {
    return {clampedSum(origin.x, onSurface.x), clampedSum(origin.y, onSurface.y)};
}

bool cursorMovedAway(CursorPoint cursor) {
    const int64_t dx = std::llabs(static_cast<int64_t>(cursor.x) - startCursor.x);
    const int64_t dy = std::llabs(static_cast<int64_t>(cursor.y) - startCursor.y);
    return dx > mouseTolerance || dy > mouseTolerance;
}

bool pointerMoveEndsRun(EndingInput rule, CursorPoint cursor) {
    return rule == EndingInput::Everything && cursorMovedAway(cursor);
}

bool buttonEndsRun(EndingInput rule) {
    return rule == EndingInput::Everything;
}

bool keyEndsRun(EndingInput rule, char typed) {
    switch (rule) {
    case EndingInput::Everything:
    case EndingInput::KeysOnly:
        return true;
    case EndingInput::QuitKeys:
        return keyClosesOwnWindow(typed);
    case EndingInput::FromOutside:
        return false;
    }
    return false;
}

bool swallowsSystemCommand(RunMode mode, uint64_t command) {
    constexpr uint64_t startScreenSaver = 0xF140;
    constexpr uint64_t powerMonitor = 0xF170;
    return mode == Saver && (command == startScreenSaver || command == powerMonitor);
}

void setKeyFlag(uint64_t keyCode, uint8_t down) {
    if (keyCode < sizeof keyDown)
        keyDown[keyCode] = down;
}

bool keyClosesOwnWindow(char typed) {
    constexpr char escape = 0x1B;
    constexpr char controlC = 0x03;
    return typed == 'q' || typed == 'Q' || typed == escape || typed == controlC;
}
