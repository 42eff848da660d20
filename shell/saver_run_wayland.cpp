// The Wayland side of a run. --root and --wallpaper put a layer-shell
// surface on every output (overlay or background layer), --window an
// xdg-shell toplevel; a compositor without layer shell gets a full-screen
// toplevel for --root. One process and one connection draw every output:
// the first surface draws the frame, every other shows it through the shared
// frame (gl/shared_frame.h), so the scene advances once a frame however many
// outputs there are. Frames are drawn on each surface's own frame callbacks,
// so a surface the compositor no longer shows draws nothing, and nothing here
// ever blocks a stop signal.

#include "gl/gl_state.h"
#include "gl/gl_window_egl.h"
#include "shell/run_plan.h"
#include "shell/saver_backends_posix.h"
#include "shell/saver_run.h"
#include "shell/saver_run_posix.h"
#include "shell/screen_surfaces_wayland.h"
#include "shell/wayland_session.h"

#include <EGL/eglext.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

const HackOptions* runOptions = nullptr;
bool coversOutputs = false;        // every output that appears while the run is open gets a surface
bool glPrepared = false;           // the textures are loaded in the context
uint64_t firstId = 0;              // the surface that draws the frame; 0 for none
std::vector<ScreenSurface*> drawn; // the surfaces drawn this pass, the first one first

// swaylock-plugin names the one output its command draws; an output that a
// compositor older than wl_output 4 leaves unnamed cannot be told apart, and
// is drawn.
bool wanted(const WaylandOutput& output) {
    const char* only = std::getenv("SWAYLOCK_PLUGIN_OUTPUT_NAME");
    return !only || !*only || output.name.empty() || output.name == only;
}

// After every read of the compositor: frees the surfaces that went, lists
// those drawn, and gives the first one the viewport when it is new to the
// part (the first output unplugged leaves it to the next). The one context
// keeps the textures and the recorded frame whichever surfaces come and go.
// With no surface left the run draws nothing and waits.
void settleSurfaces() {
    sweepGoneSurfaces();
    drawn.clear();
    for (const auto& screen : screenSurfaces)
        if (screen->drawable())
            drawn.push_back(screen.get());
    activeFlag = drawn.empty() ? 0 : 1;
    if (drawn.empty()) {
        if (firstId)
            makeEglCurrentOnNoSurface();
        firstId = 0;
        return;
    }
    ScreenSurface& first = *drawn.front();
    if (first.id == firstId) {
        reportResize(first.width(), first.height());
        return;
    }
    firstId = first.id;
    makeEglCurrent(first.gl);
    if (glPrepared) {
        resizeViewport(first.width(), first.height());
        applyFrameState();
    }
}

void outputAppeared(WaylandOutput& output) {
    if (coversOutputs && wanted(output))
        coverOutput(output, runOptions->target == DrawTarget::Wallpaper);
}

CursorPoint originOf(wl_surface* surface) {
    for (const auto& screen : screenSurfaces)
        if (screen->surface == surface)
            if (const WaylandOutput* output = findOutput(screen->outputName))
                return output->position;
    return {};
}

void connectionGone() {
    std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
    endRun(1);
}

void readCompositor() {
    if (!dispatchWayland())
        connectionGone();
    settleSurfaces();
}

// --- the loop's table

EventPoll pollWaylandEvent(int* exitCode) {
    if (runEnding(exitCode))
        return EventPoll::Quit;
    if (!dispatchWaitingWayland())
        connectionGone();
    settleSurfaces();
    return runEnding(exitCode) ? EventPoll::Quit : EventPoll::Empty;
}

// A surface whose last frame the compositor has not shown yet is left for
// this pass; its frame is drawn, and overwritten by the next.
void swapWaylandBuffers() {
    if (!drawn.empty() && drawn.front()->takesFrame())
        presentSurface(*drawn.front());
    wl_display_flush(wayland.display);
}

bool anySurfaceTakesFrame() {
    return std::any_of(drawn.begin(), drawn.end(), [](const ScreenSurface* screen) { return screen->takesFrame(); });
}

void paceWaylandFrames() {
    waitForNextFrame(wl_display_get_fd(wayland.display), readCompositor, anySurfaceTakesFrame);
}

int otherCount() {
    return drawn.empty() ? 0 : static_cast<int>(drawn.size()) - 1;
}

bool makeOtherCurrent(int index, int* width, int* height) {
    ScreenSurface& screen = *drawn[static_cast<size_t>(index) + 1];
    if (!screen.takesFrame() || !makeEglCurrent(screen.gl))
        return false;
    *width = screen.width();
    *height = screen.height();
    return true;
}

void swapOther(int index) {
    presentSurface(*drawn[static_cast<size_t>(index) + 1]);
}

// The one context took each other surface's projection: the first's is set again.
void makeFirstCurrent() {
    if (!drawn.empty() && makeEglCurrent(drawn.front()->gl))
        applyProjection(viewportWidth, viewportHeight);
    wl_display_flush(wayland.display);
}

const OtherSurfaces otherSurfaces = {otherCount, makeOtherCurrent, swapOther, makeFirstCurrent};

// --- opening and closing

void closeWaylandRun() {
    coversOutputs = false;
    drawn.clear();
    closeScreenSurfaces();
    closeEglDisplay();
    firstId = 0;
    glPrepared = false;
}

bool awaitingConfigure() {
    return std::any_of(screenSurfaces.begin(), screenSurfaces.end(),
                       [](const auto& screen) { return !screen->configured && !screen->gone; });
}

bool makeSurfaces() {
    const DrawTarget target = runOptions->target;
    if (target != DrawTarget::OwnWindow && wayland.layerShell) {
        coversOutputs = true;
        for (const auto& output : wayland.outputs)
            if (output->described && wanted(*output))
                coverOutput(*output, target == DrawTarget::Wallpaper);
        if (screenSurfaces.empty()) {
            std::fprintf(stderr, "norwyn: the Wayland compositor shows no output to draw on\n");
            return false;
        }
    } else if (wayland.wmBase) {
        openToplevel(target == DrawTarget::Root, runOptions->geometry.width, runOptions->geometry.height);
    } else {
        std::fprintf(stderr, "norwyn: this Wayland compositor offers neither layer shell nor xdg-shell\n");
        return false;
    }
    while (awaitingConfigure())
        if (!dispatchWayland()) {
            std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
            return false;
        }
    settleSurfaces();
    if (drawn.empty()) {
        std::fprintf(stderr, "norwyn: the Wayland compositor gave no surface that can be drawn on\n");
        return false;
    }
    return true;
}

bool openWaylandRun() {
    const bool opened = openEglDisplay(EGL_PLATFORM_WAYLAND_KHR, wayland.display) && makeSurfaces() &&
                        prepareGl(drawn.front()->width(), drawn.front()->height());
    glPrepared = opened;
    if (!opened)
        closeWaylandRun();
    return opened;
}

} // namespace

int runWaylandSaver(const HackOptions& options, int, char**) {
    runOptions = &options;
    installStopSignals();
    if (!connectWayland()) {
        disconnectWayland();
        return 1;
    }
    int exitCode = 1;
    if (options.target == DrawTarget::Wallpaper && !wayland.layerShell) {
        std::fprintf(stderr, "norwyn: this Wayland compositor offers no layer shell, which --wallpaper needs\n");
    } else {
        wayland.outputReady = outputAppeared;
        wayland.outputGone = loseOutput;
        wayland.surfaceOrigin = originOf;
        wayland.hidesPointer = options.target == DrawTarget::Root;
        toplevelClosed = reportClose;
        startFramePacing(options.delayMicroseconds);
        exitCode = runSaver({openWaylandRun,
                             {pollWaylandEvent, swapWaylandBuffers, paceWaylandFrames, &otherSurfaces},
                             closeWaylandRun,
                             1},
                            planRun(options.target, Backend::Wayland, options.showFps));
    }
    disconnectWayland();
    return exitCode;
}
