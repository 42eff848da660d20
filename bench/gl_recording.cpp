// The recording sits at the link, between the scene's objects and the GL.
// The benchmark is linked with GNU ld's --wrap for each GL function the scene
// calls: every call of one of them, from the scene or any other object of the
// benchmark, reaches its __wrap_ forwarder below instead, and the forwarder's
// __real_ call reaches the GL. So the frame recorded is the one the real
// renderFrame draws, and a frame that is not recorded pays one test and one
// jump a call.
//
// The list of functions is read off the scene's objects at each build (see
// CMakeLists.txt). A GL function the scene starts calling is wrapped at once,
// and the link then fails on its missing __wrap_ forwarder until it has one
// here, with its GlOp and its replay.

#include "bench/gl_recording.h"

#include "scene/frame.h"

namespace {

// The frame being recorded, or none: then every call goes to the GL.
GlRecording* activeRecording = nullptr;

// Out of line, so that a forwarder that passes its call on is a test and a
// jump, without the stack frame the recording's vectors would need.
template <typename... Words>
[[gnu::noinline, gnu::cold]] void record(GlOp op, Words... words) {
    activeRecording->add(op, words...);
}

} // namespace

extern "C" {

void __real_glClear(GLbitfield mask);
void __real_glLoadIdentity();
void __real_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void __real_glBindTexture(GLenum target, GLuint name);
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glColor3f(GLfloat r, GLfloat g, GLfloat b);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glEnable(GLenum capability);
void __real_glDisable(GLenum capability);
void __real_glBlendFunc(GLenum source, GLenum destination);

void __wrap_glClear(GLbitfield mask) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Clear, mask);
    else
        __real_glClear(mask);
}

void __wrap_glLoadIdentity() {
    if (activeRecording) [[unlikely]]
        record(GlOp::LoadIdentity);
    else
        __real_glLoadIdentity();
}

void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Translatef, x, y, z);
    else
        __real_glTranslatef(x, y, z);
}

void __wrap_glBindTexture(GLenum target, GLuint name) {
    if (activeRecording) [[unlikely]]
        record(GlOp::BindTexture, target, name);
    else
        __real_glBindTexture(target, name);
}

void __wrap_glBegin(GLenum mode) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Begin, mode);
    else
        __real_glBegin(mode);
}

void __wrap_glEnd() {
    if (activeRecording) [[unlikely]]
        record(GlOp::End);
    else
        __real_glEnd();
}

void __wrap_glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Color3f, r, g, b);
    else
        __real_glColor3f(r, g, b);
}

void __wrap_glTexCoord2f(GLfloat s, GLfloat t) {
    if (activeRecording) [[unlikely]]
        record(GlOp::TexCoord2f, s, t);
    else
        __real_glTexCoord2f(s, t);
}

void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Vertex3f, x, y, z);
    else
        __real_glVertex3f(x, y, z);
}

void __wrap_glEnable(GLenum capability) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Enable, capability);
    else
        __real_glEnable(capability);
}

void __wrap_glDisable(GLenum capability) {
    if (activeRecording) [[unlikely]]
        record(GlOp::Disable, capability);
    else
        __real_glDisable(capability);
}

void __wrap_glBlendFunc(GLenum source, GLenum destination) {
    if (activeRecording) [[unlikely]]
        record(GlOp::BlendFunc, source, destination);
    else
        __real_glBlendFunc(source, destination);
}

} // extern "C"

GlRecording recordFrame() {
    GlRecording recording;
    activeRecording = &recording;
    renderFrame();
    activeRecording = nullptr;
    return recording;
}

// Straight to the GL, past the forwarders: the replay is the floor renderFrame
// is measured against, and the forwarders' test is the benchmark's, not the
// saver's.
void replayGlRecording(const GlRecording& recording) {
    const GlWord* w = recording.words.data();
    for (const GlOp op : recording.ops) {
        switch (op) {
        case GlOp::Clear:
            __real_glClear(w[0].u);
            w += 1;
            break;
        case GlOp::LoadIdentity:
            __real_glLoadIdentity();
            break;
        case GlOp::Translatef:
            __real_glTranslatef(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::BindTexture:
            __real_glBindTexture(w[0].u, w[1].u);
            w += 2;
            break;
        case GlOp::Begin:
            __real_glBegin(w[0].u);
            w += 1;
            break;
        case GlOp::End:
            __real_glEnd();
            break;
        case GlOp::Color3f:
            __real_glColor3f(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::TexCoord2f:
            __real_glTexCoord2f(w[0].f, w[1].f);
            w += 2;
            break;
        case GlOp::Vertex3f:
            __real_glVertex3f(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::Enable:
            __real_glEnable(w[0].u);
            w += 1;
            break;
        case GlOp::Disable:
            __real_glDisable(w[0].u);
            w += 1;
            break;
        case GlOp::BlendFunc:
            __real_glBlendFunc(w[0].u, w[1].u);
            w += 2;
            break;
        }
    }
}
