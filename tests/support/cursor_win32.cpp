#include "cursor_win32.h"

#include <windows.h>

int cursorDisplayCount() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

void restoreCursorDisplayCount(int count) {
    for (int now = cursorDisplayCount(); now > count; --now)
        ShowCursor(FALSE);
    for (int now = cursorDisplayCount(); now < count; ++now)
        ShowCursor(TRUE);
}
