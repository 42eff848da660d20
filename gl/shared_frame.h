#pragma once
// One frame on several surfaces, one per monitor or output. The first
// surface's frame is recorded in a display list while it is drawn; every
// other surface, whose context shares the first one's textures and lists,
// takes its own viewport, projection and frame state and calls the list.
// So the scene's state advances once a frame, however many screens show it,
// and the frame function keeps its calls.

#include "gl/gl_headers.h"

// The display list the frame is recorded in; 0 until a run records one.
extern GLuint sharedFrameList;

// Starts recording the frame about to be drawn, which is drawn as recorded.
void beginSharedFrame();
void endSharedFrame();
// Shows the recorded frame in the current context, at its surface's size.
void showSharedFrame(int width, int height);
// Frees the recording, in a context that shares it.
void releaseSharedFrame();
