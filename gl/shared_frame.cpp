#include "gl/shared_frame.h"

#include "gl/gl_state.h"

GLuint sharedFrameList = 0;

void beginSharedFrame() {
    // A context made since the last recording (a later run in the same
    // process) knows no list of that name.
    if (sharedFrameList == 0 || !glIsList(sharedFrameList))
        sharedFrameList = glGenLists(1);
    glNewList(sharedFrameList, GL_COMPILE_AND_EXECUTE);
}

void endSharedFrame() {
    glEndList();
}

void showSharedFrame(int width, int height) {
    applyProjection(width, height);
    applyFrameState();
    glCallList(sharedFrameList);
}

void releaseSharedFrame() {
    if (sharedFrameList != 0)
        glDeleteLists(sharedFrameList, 1);
    sharedFrameList = 0;
}
