#pragma once
// One frame of the scene: the frame-rate estimates and animation drivers,
// the warped background grid, the characters and logo, and the drops.

// Steps the frame-rate estimates and phase from the last frame's duration.
void advanceFrameRate(double frameDuration);
// Steps pulse once, turning it round when it passes a bound.
void advancePulse();

// Draws one frame into the current GL context and advances the animation.
void renderFrame();
