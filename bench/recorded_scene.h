#pragma once
// The scene code built a second time against a recorder of its GL calls.

#include "bench/gl_recording.h"

// Runs the recorded copy's renderFrame from the state the real scene is in
// (sceneState and the drops) and returns the frame's GL calls; no GL call
// reaches the context. Like renderFrame it reads frameClock, draws random
// numbers and updates settings.frames, so the caller saves whatever it wants
// to keep; sceneState and the real pool are left as they were.
GlRecording recordFrame();
