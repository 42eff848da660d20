#pragma once
// The frame rate in the lower-left corner of the window, as users of other
// XScreenSaver hacks know it from their --fps option. Drawn over a finished
// frame; every piece of GL state it touches is put back.

// Draws "59.98 fps" for the given rate over a window of the given size.
void drawFrameRate(float framesPerSecond, int width, int height);
