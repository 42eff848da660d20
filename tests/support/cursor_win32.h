#pragma once
// The display count of this thread's cursor: shown while it is 0 or more.
// The dialogs and a full-screen run move it, and a test puts it back.

// The count now, left as it was.
int cursorDisplayCount();
// Shows or hides the cursor until its count is count again.
void restoreCursorDisplayCount(int count);
