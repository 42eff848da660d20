#include "bench/gl_recording.h"

GlRecording* activeGlRecording = nullptr;

void replayGlRecording(const GlRecording& recording) {
    const GlWord* w = recording.words.data();
    for (const GlOp op : recording.ops) {
        switch (op) {
        case GlOp::Clear:
            glClear(w[0].u);
            w += 1;
            break;
        case GlOp::LoadIdentity:
            glLoadIdentity();
            break;
        case GlOp::Translatef:
            glTranslatef(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::BindTexture:
            glBindTexture(w[0].u, w[1].u);
            w += 2;
            break;
        case GlOp::Begin:
            glBegin(w[0].u);
            w += 1;
            break;
        case GlOp::End:
            glEnd();
            break;
        case GlOp::Color3f:
            glColor3f(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::TexCoord2f:
            glTexCoord2f(w[0].f, w[1].f);
            w += 2;
            break;
        case GlOp::Vertex3f:
            glVertex3f(w[0].f, w[1].f, w[2].f);
            w += 3;
            break;
        case GlOp::Enable:
            glEnable(w[0].u);
            w += 1;
            break;
        case GlOp::Disable:
            glDisable(w[0].u);
            w += 1;
            break;
        case GlOp::BlendFunc:
            glBlendFunc(w[0].u, w[1].u);
            w += 2;
            break;
        }
    }
}
