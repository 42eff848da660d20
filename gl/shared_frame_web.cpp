// The browser draws on one canvas, and Emscripten's GL emulation has no
// display lists: a run there never has other surfaces to show its frame on.
// The frame is drawn directly, as a run on one surface draws it.

#include "gl/shared_frame.h"

void beginSharedFrame() {
}

void endSharedFrame() {
}

void showSharedFrame(int, int) {
}

void releaseSharedFrame() {
}
