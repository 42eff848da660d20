#include "shell/saver_run.h"

#include "scene/frame_clock.h"
#include "settings/settings_store.h"

RunPlan runPlan;

int runSaver(const RunPlatform& platform, const RunPlan& plan) {
    runPlan = plan;
    runMode = plan.mode;
    showFrameRate = plan.showFps;
    frameClock.update();
    if (!platform.open())
        return platform.openFailedExitCode;
    const int exitCode = saverLoop(platform.loop);
    if (platform.loopEnded)
        platform.loopEnded();
    if (runMode == Saver)
        saveFrames();
    platform.close();
    return exitCode;
}
