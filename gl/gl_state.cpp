#include "gl/gl_state.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"

namespace {

constexpr double fieldOfView = 45.0;
constexpr double nearPlane = 0.1f; // the float 0.1, widened: 0.10000000149011612
constexpr double farPlane = 100.0;

} // namespace

int viewportWidth = 0, viewportHeight = 0;

void resizeViewport(int width, int height) {
    if (height == 0)
        height = 1;
    viewportWidth = width;
    viewportHeight = height;
    applyProjection(width, height);
}

void applyProjection(int width, int height) {
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, static_cast<float>(width) / static_cast<float>(height), nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool initGlState() {
    if (!loadTextureSet())
        return false;
    applyFrameState();
    return true;
}

void applyFrameState() {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}
