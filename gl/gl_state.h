#pragma once
// The projection and the GL state every frame starts from.

// The size the viewport was last set to, for what is drawn over a frame.
extern int viewportWidth, viewportHeight;

// Viewport and a 45-degree perspective for a window of this size.
void resizeViewport(int width, int height);
// The same in the current context alone, leaving the size above as it is:
// for a surface that shows another's frame.
void applyProjection(int width, int height);

// Loads the texture set, then sets the clear values, depth test, smooth
// shading and 2D texturing. False when the textures cannot be loaded.
bool initGlState();
// The state between frames (clear values, depth test, smooth shading, 2D
// texturing) in the current context, with no texture load.
void applyFrameState();
