#pragma once
// The contexts of the windows that show the scene's frame beside the scene's
// own window: one per further monitor, each sharing the scene's textures and
// display lists.

#include <windows.h>

// Gives the window of deviceContext the scene's pixel format of colourBits
// and a context that shares renderingContext's objects. Null, with nothing
// left held, when the window takes no such format or no shared context.
HGLRC openSharedContext(HDC deviceContext, int colourBits);
