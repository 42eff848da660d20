#pragma once
// The scene state the benchmarks start from: the settings with a given number
// of drops, after some seconds of frames at 60 a second, so that the drops are
// spread over their whole cycle as in a saver that has been running a while.

#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <cstdint>
#include <vector>

// Everything a frame reads and changes outside the GL.
struct SceneSnapshot {
    Settings settings;
    SceneState scene;
    std::vector<Particle> drops;
    uint32_t random = 1;
    FrameClock clock;

    static SceneSnapshot take();
    // Puts it all back; the pool gets exactly the snapshot's drops.
    void restore() const;
};

// A clock the benchmarks move by hand: frameClock reads scriptedCounter, in
// nanoseconds.
extern int64_t scriptedCounter;
extern const TimeSource scriptedTimeSource;
constexpr int64_t sixtiethOfASecond = 1000000000 / 60;

// The defaults with this many drops on, started as the program starts them.
void startScene(int drops);
// The computation of frames at 60 a second, as renderFrame does it without
// the drawing; frameClock is left on the scripted clock.
void runSceneComputation(int frames);
// Drops that start together keep falling and splashing together for a while;
// after a minute they are spread over their cycle, and a frame costs what any
// later frame costs.
constexpr int warmUpFrames = 60 * 60;
// startScene, then warmUpFrames: the state the benchmarks start from.
SceneSnapshot warmedUpScene(int drops);
