// GL calls that draw nothing, for scene_replay: Node has no WebGL, and the
// scene's state does not depend on what GL makes of its calls. The native and
// the WebAssembly replay both link these, so that the same frame code runs.
#include "gl/gl_headers.h"

extern "C" {
void glBegin(GLenum) {
}
void glEnd() {
}
void glVertex2f(GLfloat, GLfloat) {
}
void glVertex3f(GLfloat, GLfloat, GLfloat) {
}
void glTexCoord2f(GLfloat, GLfloat) {
}
void glColor3f(GLfloat, GLfloat, GLfloat) {
}
void glClear(GLbitfield) {
}
void glLoadIdentity() {
}
void glTranslatef(GLfloat, GLfloat, GLfloat) {
}
void glBindTexture(GLenum, GLuint) {
}
void glEnable(GLenum) {
}
void glDisable(GLenum) {
}
void glBlendFunc(GLenum, GLenum) {
}
}
