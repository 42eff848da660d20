#pragma once
// OpenGL 1.1 and GLU, in the order each platform needs them.

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>

// True in the browser build, where Emscripten's GL emulation runs the scene
// on WebGL; the few calls it cannot take as desktop GL does test this.
#ifdef __EMSCRIPTEN__
constexpr bool webGl = true;
#else
constexpr bool webGl = false;
#endif
