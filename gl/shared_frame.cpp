#include "gl/shared_frame.h"

#include "gl/gl_headers.h"
#include "gl/gl_state.h"

namespace {

GLuint frameList = 0;

} // namespace

void beginSharedFrame() {
    // A context made since the last recording (a later run in the same
    // process) knows no list of that name.
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
