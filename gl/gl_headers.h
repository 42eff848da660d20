#pragma once
// OpenGL 1.1 and GLU, in the order each platform needs them.

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
