#include "gl/shared_frame.h"

#include "gl/gl_headers.h"
#include "gl/gl_state.h"

namespace {

GLuint frameList = 0;

} // namespace

void beginSharedFrame() {
    // A run whose every context went (the last output unplugged) starts a new
    // share group, in which the old name means nothing.
    if (frameList == 0 || !glIsList(frameList))
        frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE_AND_EXECUTE);
}

void endSharedFrame() {
    glEndList();
}

void showSharedFrame(int width, int height) {
    applyProjection(width, height);
    applyFrameState();
    glCallList(frameList);
}

void releaseSharedFrame() {
    if (frameList != 0)
        glDeleteLists(frameList, 1);
    frameList = 0;
}
