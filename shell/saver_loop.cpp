#include "shell/saver_loop.h"

#include "gl/fps_overlay.h"
#include "gl/gl_state.h"
#include "gl/shared_frame.h"
#include "scene/frame.h"
#include "settings/settings.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"

bool saverLoopRunning = false;
bool showFrameRate = false;

namespace {

bool hasOtherSurfaces(const SaverPlatform& platform) {
    return platform.others && platform.others->count() > 0;
}

// The frame, recorded for the other surfaces when there are any; a run on one
// surface makes exactly the frame's own calls.
void drawFrame(bool shared) {
    if (shared)
        beginSharedFrame();
    renderFrame();
    if (shared)
        endSharedFrame();
}

// Each other surface shows the frame just drawn at its own size; every one is
// swapped, also when no frame was drawn, as the first is.
void showOnOtherSurfaces(const OtherSurfaces& others, bool frameDrawn) {
    for (int index = 0; index < others.count(); ++index) {
        int width = 0, height = 0;
        if (!others.makeCurrent(index, &width, &height))
            continue;
        if (frameDrawn)
            showSharedFrame(width, height);
        if (showFrameRate)
            drawFrameRate(settings.frames, width, height);
        others.swapBuffers(index);
    }
    others.makeFirstCurrent();
}

} // namespace

int saverLoop(const SaverPlatform& platform) {
    saverLoopRunning = true;
    bool everShared = false;
    int exitCode = 0;
    for (;;) {
        const EventPoll poll = platform.pollEvent(&exitCode);
        if (poll == EventPoll::Quit)
            break;
        if (poll == EventPoll::Handled)
            continue;
        const bool shared = hasOtherSurfaces(platform);
        const bool frameDrawn = activeFlag == 1;
        everShared = everShared || shared;
        if (frameDrawn)
            drawFrame(shared);
        if (keyDown[escapeKey] == 1 && runMode == Saver) {
            exitCode = 0;
            break;
        }
        if (showFrameRate)
            drawFrameRate(settings.frames, viewportWidth, viewportHeight);
        // Swapped also when no frame was drawn.
        platform.swapBuffers();
        if (shared)
            showOnOtherSurfaces(*platform.others, frameDrawn);
        if (platform.waitForNextFrame)
            platform.waitForNextFrame();
    }
    if (everShared)
        releaseSharedFrame();
    saverLoopRunning = false;
    return exitCode;
}
