#include "shell/saver_loop.h"

#include "scene/frame.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"

bool saverLoopRunning = false;

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
        // Swapped also when no frame was drawn.
        platform.swapBuffers();
        if (platform.waitForNextFrame)
            platform.waitForNextFrame();
    }
    saverLoopRunning = false;
    return exitCode;
}
