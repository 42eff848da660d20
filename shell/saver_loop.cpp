#include "shell/saver_loop.h"

#include "gl/fps_overlay.h"
#include "gl/gl_state.h"
#include "scene/frame.h"
#include "settings/settings.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"

bool saverLoopRunning = false;
bool showFrameRate = false;

int saverLoop(const SaverPlatform& platform) {
    saverLoopRunning = true;
    int exitCode = 0;
    for (;;) {
        const EventPoll poll = platform.pollEvent(&exitCode);
        if (poll == EventPoll::Quit)
            break;
        if (poll == EventPoll::Handled)
            continue;
        if (activeFlag == 1)
            renderFrame();
        if (keyDown[escapeKey] == 1 && runMode == Saver) {
            exitCode = 0;
            break;
        }
        if (showFrameRate)
            drawFrameRate(settings.frames, viewportWidth, viewportHeight);
        // Swapped also when no frame was drawn.
        platform.swapBuffers();
        if (platform.waitForNextFrame)
            platform.waitForNextFrame();
    }
    saverLoopRunning = false;
    return exitCode;
}
