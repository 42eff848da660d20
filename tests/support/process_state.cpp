#include "process_state.h"

#include "gl/gl_state.h"
#include "gl/shared_frame.h"
#include "gl/texture_set.h"
#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/saver_run.h"

#include <cstring>

namespace {

// The product's own picture source, read before any test can replace it: the
// pointer is constant-initialized, so it is set before this line runs.
const BitmapSource productBitmapSource = bitmapSource;

constexpr const char* builtOnce = "built once from constants and never changed after";

// clang-format off
const ProcessStatePart portableParts[] = {
    {"settings",         [] { settings = Settings{}; }, nullptr},
    {"sceneState",       [] { sceneState = SceneState{}; }, nullptr},
    {"particlePool",     [] { delete[] particlePool.particles; particlePool = ParticlePool{}; }, nullptr},
    {"randomState",      [] { randomState = 1; }, nullptr},
    {"frameClock",       [] { frameClock = FrameClock{}; }, nullptr},
    {"textureSet",       [] { textureSet = TextureSet{}; }, nullptr},
    {"bitmapSource",     [] { bitmapSource = productBitmapSource; }, nullptr},
    {"sharedFrameList",  [] { sharedFrameList = 0; }, nullptr},
    {"viewportWidth",    [] { viewportWidth = 0; }, nullptr},
    {"viewportHeight",   [] { viewportHeight = 0; }, nullptr},
    {"runMode",          [] { runMode = NoMode; }, nullptr},
    {"runPlan",          [] { runPlan = RunPlan{}; }, nullptr},
    {"activeFlag",       [] { activeFlag = 1; }, nullptr},
    {"keyDown",          [] { std::memset(keyDown, 0, sizeof keyDown); }, nullptr},
    {"startCursor",      [] { startCursor = CursorPoint{}; }, nullptr},
    {"saverLoopRunning", [] { saverLoopRunning = false; }, nullptr},
    {"showFrameRate",    [] { showFrameRate = false; }, nullptr},
    {"backgroundCatalog", nullptr, builtOnce},
    {"effectCatalog",     nullptr, builtOnce},
    {"movementCatalog",   nullptr, builtOnce},
    {"hackUsage",         nullptr, builtOnce},
    {"(anonymous namespace)::usage",       nullptr, builtOnce},
    {"(anonymous namespace)::cornerTurns", nullptr, builtOnce},
};
// clang-format on

} // namespace

const std::vector<ProcessStatePart>& processStateParts() {
    static const std::vector<ProcessStatePart> parts = [] {
        std::vector<ProcessStatePart> all(std::begin(portableParts), std::end(portableParts));
        for (const ProcessStatePart& part : platformStateParts())
            all.push_back(part);
        return all;
    }();
    return parts;
}

void resetProcessState() {
    for (const ProcessStatePart& part : processStateParts())
        if (part.reset)
            part.reset();
}
