#pragma once
// The page's canvas as an OpenGL 1.1 window: a WebGL context made through
// Emscripten's EGL, on which its GL emulation runs the scene's immediate mode.

// Makes the context on the canvas and makes it current; false, with the
// reason on the console, when the browser gives no WebGL.
bool openWebGlWindow();
void closeWebGlWindow();
