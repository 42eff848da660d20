#include "process_state.h"

#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"

#include <cstring>

void resetProcessState() {
    settings = Settings{};
    sceneState = SceneState{};
    delete[] particlePool.particles;
    particlePool = ParticlePool{};
    randomState = 1;
    frameClock = FrameClock{};
    runMode = NoMode;
    activeFlag = 1;
    std::memset(keyDown, 0, sizeof keyDown);
    startCursor = CursorPoint{};
    saverLoopRunning = false;
}
