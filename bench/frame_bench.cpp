// Whole frames on Mesa's llvmpipe, offscreen at 320 by 240 with the real
// pictures: renderFrame against the replay of the same frame's GL calls, and
// the start-up to the first frame.
//
// Every iteration ends with a one-pixel glReadPixels, in renderFrame's
// benchmarks and the replay's alike, so that each counts a frame drawn to
// the end and not only handed to llvmpipe's threads.

#include "offscreen_gl.h"

#include "bench/gl_recording.h"
#include "bench/scene_setup.h"

#include "gl/bitmap_decoder.h"
#include "gl/gl_headers.h"
#include "gl/gl_state.h"
#include "gl/texture_set.h"
#include "scene/frame.h"
#include "scene/particles.h"

#include <EGL/egl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int width = 320;
constexpr int height = 240;

// The context the frame benchmarks draw in. The start-up benchmark makes
// contexts of its own, after which this one is made anew.
bool contextReady = false;
int contextGeneration = 0;

bool openFrameContext() {
    if (!openOffscreenGl(width, height))
        return false;
    resizeViewport(width, height);
    return true;
}

const char* frameContext() {
    if (contextReady)
        return nullptr;
    if (!openFrameContext())
        return "no offscreen OpenGL on this machine";
    if (!initGlState())
        return "the pictures did not load";
    contextReady = true;
    ++contextGeneration;
    return nullptr;
}

void finishFrame() {
    GLubyte pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    benchmark::DoNotOptimize(pixel);
}

bool samePixels(const std::vector<RgbPixel>& a, const std::vector<RgbPixel>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RgbPixel)) == 0;
}

// A warmed-up scene with this many drops, and the GL calls of its next frame.
struct PreparedFrame {
    bool warmedUp = false;
    SceneSnapshot start;
    int64_t startCounter = 0; // the scripted clock's reading when start was taken
    GlRecording recording;
    int generation = 0;
    std::string error;
};

// Records the scene's next frame with no context current, so that a GL call
// that escaped the recording reaches nothing: it is then missing from the
// replay's picture, instead of leaving behind, in the context the replay
// draws in, the state or the pixels it would have made.
bool recordWithoutContext(GlRecording& recording) {
    const EGLDisplay display = eglGetCurrentDisplay();
    const EGLSurface draw = eglGetCurrentSurface(EGL_DRAW);
    const EGLSurface read = eglGetCurrentSurface(EGL_READ);
    const EGLContext context = eglGetCurrentContext();
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT))
        return false;
    recording = recordFrame();
    return eglMakeCurrent(display, draw, read, context);
}

// Leaves on the surface a picture, and in the context a blend function, that
// no frame ends with, so that a frame drawn next has to clear and draw every
// pixel and set the blend function of each thing it blends itself: a call
// missing from the replay then shows in its picture. renderFrame's frame and
// the replay start from it alike.
void spoilContext() {
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
}

// Draws start's next frame with renderFrame and records the same frame from
// renderFrame again; the replay of the recording must give the same picture
// to the last byte, or some GL call of the frame escaped the recording.
// llvmpipe itself now and then draws a pixel of the same calls one step off,
// so a pair that differs is drawn again, a few times before it counts as
// different.
void recordAndCheck(PreparedFrame& prepared) {
    // Some frames first, so that llvmpipe has every shader this frame needs.
    prepared.start.restore();
    scriptedCounter = prepared.startCounter;
    for (int frame = 0; frame < 10; ++frame) {
        scriptedCounter += sixtiethOfASecond;
        renderFrame();
        finishFrame();
    }

    prepared.error = "the replay draws another picture than renderFrame";
    for (int attempt = 0; attempt < 5 && !prepared.error.empty(); ++attempt) {
        prepared.start.restore();
        scriptedCounter = prepared.startCounter + sixtiethOfASecond;
        spoilContext();
        renderFrame();
        const std::vector<RgbPixel> drawn = readOffscreenPixels();

        prepared.start.restore();
        scriptedCounter = prepared.startCounter + sixtiethOfASecond;
        if (!recordWithoutContext(prepared.recording)) {
            prepared.error = "the context could not be put aside for the recording, or taken back";
            break;
        }
        spoilContext();
        replayGlRecording(prepared.recording);
        const std::vector<RgbPixel> replayed = readOffscreenPixels();

        if (prepared.recording.ops.empty())
            prepared.error = "the recorded frame made no GL call";
        else if (samePixels(drawn, replayed))
            prepared.error.clear();
    }
    prepared.start.restore();
}

PreparedFrame& preparedFrame(int drops) {
    static std::map<int, PreparedFrame> frames;
    PreparedFrame& prepared = frames[drops];
    if (!prepared.warmedUp) {
        prepared.start = warmedUpScene(drops);
        prepared.startCounter = scriptedCounter;
        prepared.warmedUp = true;
    }
    if (prepared.generation != contextGeneration) {
        recordAndCheck(prepared);
        prepared.generation = contextGeneration;
    }
    return prepared;
}

// Starts the frames from the prepared state on the steady clock, as the
// saver's loop runs them; the first frame only takes the clock's first reading.
const PreparedFrame* startFrames(benchmark::State& state, int drops) {
    if (const char* error = frameContext()) {
        state.SkipWithError(error);
        return nullptr;
    }
    const PreparedFrame& prepared = preparedFrame(drops);
    if (!prepared.error.empty()) {
        state.SkipWithError(prepared.error.c_str());
        return nullptr;
    }
    prepared.start.restore();
    frameClock = FrameClock();
    renderFrame();
    finishFrame();
    return &prepared;
}

// renderFrame and the replay of the same scene's frame, one frame of each in
// turn, which of the two first changing from pair to pair: the machine's
// other work slows both alike. The benchmark's time is renderFrame's; the
// replay's and both sums go in counters, from which the table takes the ratio.
void renderFrameAndReplay(benchmark::State& state) {
    const int drops = static_cast<int>(state.range(0));
    const PreparedFrame* prepared = startFrames(state, drops);
    if (!prepared)
        return;
    double frameSeconds = 0;
    double replaySeconds = 0;
    bool frameFirst = true;
    for (auto _ : state) {
        for (int half = 0; half < 2; ++half) {
            const auto begin = std::chrono::steady_clock::now();
            if (frameFirst == (half == 0))
                renderFrame();
            else
                replayGlRecording(prepared->recording);
            finishFrame();
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
            if (frameFirst == (half == 0)) {
                frameSeconds += seconds;
                state.SetIterationTime(seconds);
            } else {
                replaySeconds += seconds;
            }
        }
        frameFirst = !frameFirst;
    }
    state.counters["drops"] = drops;
    state.counters["frame_s"] = frameSeconds;
    state.counters["replay_s"] = replaySeconds;
}
// clang-format off
BENCHMARK(renderFrameAndReplay)->Name("renderFrame")->Arg(0)->Arg(200)->Arg(2000)->Arg(9999)->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
// clang-format on

// What the saver does once its context is current: the GL state with the
// texture set, then the first frame, drawn to the end.
bool initAndDrawFirstFrame(benchmark::State& state) {
    const bool loaded = initGlState();
    renderFrame();
    finishFrame();
    if (!loaded)
        state.SkipWithError("the pictures did not load");
    return loaded;
}

// From a context with nothing in it to the first frame drawn: initGlState
// (loadTextureSet, which reads, decodes and uploads the seven pictures, and
// the clear and enable calls) and the first renderFrame, as the saver does
// after making its window. The context itself is made before the clock starts.
void startUpInNewContext(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        closeOffscreenGl();
        contextReady = false;
        const bool opened = openFrameContext();
        startScene(startParticleCount);
        frameClock = FrameClock();
        state.ResumeTiming();
        if (!opened) {
            state.SkipWithError("no offscreen OpenGL on this machine");
            break;
        }
        if (!initAndDrawFirstFrame(state))
            break;
    }
}
BENCHMARK(startUpInNewContext)->Name("startUp/newContext")->UseRealTime()->Unit(benchmark::kMillisecond);

// The same on the frame benchmarks' context, after its textures are deleted:
// llvmpipe has compiled this scene's shaders already.
void startUpInSameContext(benchmark::State& state) {
    if (const char* error = frameContext()) {
        state.SkipWithError(error);
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        glDeleteTextures(textureSlotCount, textureSet.names);
        startScene(startParticleCount);
        frameClock = FrameClock();
        state.ResumeTiming();
        if (!initAndDrawFirstFrame(state))
            break;
    }
    // The texture names may have changed: the recordings bind the old ones.
    ++contextGeneration;
}
BENCHMARK(startUpInSameContext)->Name("startUp/sameContext")->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
