#pragma once
// A frame's GL calls, recorded with their arguments, and their replay: the
// same calls with every value already computed. What the replay costs is
// what the GL itself costs for this frame, the floor of any way of drawing it.

#include "gl/gl_headers.h"

#include <cstdint>
#include <vector>

// The GL calls the scene code makes. The link sends each of them to a
// forwarder in gl_recording.cpp (see CMakeLists.txt), which records it here.
enum class GlOp : uint8_t {
    Clear,
    LoadIdentity,
    Translatef,
    BindTexture,
    Begin,
    End,
    Color3f,
    TexCoord2f,
    Vertex3f,
    Enable,
    Disable,
    BlendFunc,
};

// One argument, as the call took it.
union GlWord {
    float f;
    uint32_t u;
};

struct GlRecording {
    std::vector<GlOp> ops;
    std::vector<GlWord> words; // the arguments of all calls, in call order

    void add(GlOp op) { ops.push_back(op); }
    void add(GlOp op, uint32_t a) {
        ops.push_back(op);
        words.push_back(word(a));
    }
    void add(GlOp op, uint32_t a, uint32_t b) {
        add(op, a);
        words.push_back(word(b));
    }
    void add(GlOp op, float a, float b) {
        ops.push_back(op);
        words.push_back(word(a));
        words.push_back(word(b));
    }
    void add(GlOp op, float a, float b, float c) {
        add(op, a, b);
        words.push_back(word(c));
    }

private:
    static GlWord word(uint32_t u) {
        GlWord w;
        w.u = u;
        return w;
    }
    static GlWord word(float f) {
        GlWord w;
        w.f = f;
        return w;
    }
};

// Draws nothing and returns the GL calls of the frame renderFrame would draw
// now: the real renderFrame runs with each of its GL calls recorded instead
// of made. The scene moves on as in any frame (frameClock, sceneState, the
// drops, the random state, settings.frames), so the caller puts back what it
// wants kept.
GlRecording recordFrame();

// Issues the recorded calls, in order, to the current GL context.
void replayGlRecording(const GlRecording& recording);
