// The Wayland side of a run. --root and --wallpaper put a layer-shell
// surface on an output (overlay or background layer), --window an xdg-shell
// toplevel; a compositor without layer shell gets a full-screen toplevel for
// --root. Each output is drawn by a process of its own (see
// shell/output_runs_wayland.cpp): the scene's state is process-wide, and two
// surfaces drawn by one process would run the animation twice as fast.
// Frames are drawn on the compositor's frame callbacks, so a surface it no
// longer shows draws nothing, and nothing here ever blocks a stop signal.

#include "gl/gl_window_egl.h"
#include "shell/output_runs_wayland.h"
#include "shell/run_plan.h"
#include "shell/saver_backends_posix.h"
#include "shell/saver_run.h"
#include "shell/saver_run_posix.h"
#include "shell/wayland_session.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <EGL/eglext.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

const HackOptions* runOptions = nullptr;
uint32_t chosenOutputName = 0;  // the output the surface covers; 0 for a toplevel
bool drawsOneOfSeveral = false; // a process of the per-output runs

wl_surface* surface = nullptr;
zwlr_layer_surface_v1* layerSurface = nullptr;
xdg_surface* shellSurface = nullptr;
xdg_toplevel* toplevel = nullptr;
wl_egl_window* eglWindow = nullptr;
wl_callback* frameCallback = nullptr;

int logicalWidth = 0, logicalHeight = 0; // as the compositor configures the surface
int pendingWidth = 0, pendingHeight = 0;
int bufferScale = 1;
bool configured = false;
bool surfaceClosed = false;

// The output's end ends this output's run, and only that one.
void endWithTheOutput() {
    if (drawsOneOfSeveral)
        endRun(outputGoneExitCode);
    else
        reportClose();
}

void applySize() {
    const int width = logicalWidth * bufferScale, height = logicalHeight * bufferScale;
    if (eglWindow)
        wl_egl_window_resize(eglWindow, width, height, 0, 0);
    wl_surface_set_buffer_scale(surface, bufferScale);
    reportResize(width, height);
}

void takeScale(int32_t scale) {
    if (scale == bufferScale)
        return;
    bufferScale = scale;
    if (configured)
        applySize();
}

// --- layer surface

void layerConfigure(void*, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    logicalWidth = static_cast<int>(width);
    logicalHeight = static_cast<int>(height);
    configured = true;
    applySize();
}

void layerClosed(void*, zwlr_layer_surface_v1*) {
    surfaceClosed = true;
    endWithTheOutput();
}

const zwlr_layer_surface_v1_listener layerListener = {layerConfigure, layerClosed};

// --- xdg toplevel

void shellConfigure(void*, xdg_surface* shell, uint32_t serial) {
    xdg_surface_ack_configure(shell, serial);
    if (pendingWidth > 0 && pendingHeight > 0) {
        logicalWidth = pendingWidth;
        logicalHeight = pendingHeight;
    }
    configured = true;
    applySize();
}

const xdg_surface_listener shellListener = {shellConfigure};

// A size of 0 leaves the choice to us: the one we had.
void toplevelConfigure(void*, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
    pendingWidth = width;
    pendingHeight = height;
}

void toplevelClose(void*, xdg_toplevel*) {
    reportClose();
}

void toplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {
}
void toplevelCapabilities(void*, xdg_toplevel*, wl_array*) {
}

const xdg_toplevel_listener toplevelListener = {toplevelConfigure, toplevelClose, toplevelBounds, toplevelCapabilities};

// A toplevel takes the scale of the output it is shown on.
void surfaceEnter(void*, wl_surface*, wl_output* output) {
    for (const auto& known : wayland.outputs)
        if (known->output == output && !chosenOutputName)
            takeScale(known->scale);
}

void surfaceLeave(void*, wl_surface*, wl_output*) {
}

const wl_surface_listener surfaceListener = {surfaceEnter, surfaceLeave};

// --- frames

void frameDone(void*, wl_callback* callback, uint32_t) {
    wl_callback_destroy(callback);
    frameCallback = nullptr;
}

const wl_callback_listener frameListener = {frameDone};

bool frameReady() {
    return configured && !frameCallback && !surfaceClosed;
}

void connectionGone() {
    std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
    endRun(1);
}

void readCompositor() {
    if (!dispatchWayland())
        connectionGone();
}

EventPoll pollWaylandEvent(int* exitCode) {
    if (runEnding(exitCode))
        return EventPoll::Quit;
    if (!dispatchWaitingWayland())
        connectionGone();
    return runEnding(exitCode) ? EventPoll::Quit : EventPoll::Empty;
}

// Asks for the next frame callback before the swap commits the frame.
void swapWaylandBuffers() {
    if (!frameReady())
        return;
    frameCallback = wl_surface_frame(surface);
    wl_callback_add_listener(frameCallback, &frameListener, nullptr);
    swapEglBuffers();
    wl_display_flush(wayland.display);
}

void paceWaylandFrames() {
    waitForNextFrame(wl_display_get_fd(wayland.display), readCompositor, frameReady);
}

// --- opening

void followOutputs(uint32_t goneName) {
    if (goneName == chosenOutputName)
        endWithTheOutput();
}

void outputDescribed(WaylandOutput& output) {
    if (output.globalName == chosenOutputName)
        takeScale(output.scale);
}

void makeLayerSurface(const WaylandOutput& output, bool wallpaper) {
    layerSurface = zwlr_layer_shell_v1_get_layer_surface(
        wayland.layerShell, surface, output.output,
        wallpaper ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "norwyn");
    zwlr_layer_surface_v1_add_listener(layerSurface, &layerListener, nullptr);
    zwlr_layer_surface_v1_set_size(layerSurface, 0, 0);
    zwlr_layer_surface_v1_set_anchor(layerSurface,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface, wallpaper ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    bufferScale = output.scale;
}

void makeToplevel(bool fullScreen) {
    shellSurface = xdg_wm_base_get_xdg_surface(wayland.wmBase, surface);
    xdg_surface_add_listener(shellSurface, &shellListener, nullptr);
    toplevel = xdg_surface_get_toplevel(shellSurface);
    xdg_toplevel_add_listener(toplevel, &toplevelListener, nullptr);
    xdg_toplevel_set_title(toplevel, saverWindowTitle);
    xdg_toplevel_set_app_id(toplevel, "norwyn");
    if (fullScreen)
        xdg_toplevel_set_fullscreen(toplevel, nullptr);
    logicalWidth = runOptions->geometry.width;
    logicalHeight = runOptions->geometry.height;
}

bool makeSurface() {
    surface = wl_compositor_create_surface(wayland.compositor);
    wl_surface_add_listener(surface, &surfaceListener, nullptr);
    const WaylandOutput* output = findOutput(chosenOutputName);
    const DrawTarget target = runOptions->target;
    if (output && wayland.layerShell) {
        makeLayerSurface(*output, target == DrawTarget::Wallpaper);
    } else if (wayland.wmBase) {
        makeToplevel(target == DrawTarget::Root);
    } else {
        std::fprintf(stderr, "norwyn: this Wayland compositor offers neither layer shell nor xdg-shell\n");
        return false;
    }
    wl_surface_commit(surface);
    while (!configured && !surfaceClosed)
        if (!dispatchWayland()) {
            std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
            return false;
        }
    if (surfaceClosed) {
        std::fprintf(stderr, "norwyn: the Wayland compositor refused the surface\n");
        return false;
    }
    return true;
}

void closeWaylandRun() {
    closeEglWindow();
    if (frameCallback)
        wl_callback_destroy(frameCallback);
    if (eglWindow)
        wl_egl_window_destroy(eglWindow);
    if (layerSurface)
        zwlr_layer_surface_v1_destroy(layerSurface);
    if (toplevel)
        xdg_toplevel_destroy(toplevel);
    if (shellSurface)
        xdg_surface_destroy(shellSurface);
    if (surface)
        wl_surface_destroy(surface);
    frameCallback = nullptr;
    eglWindow = nullptr;
    layerSurface = nullptr;
    toplevel = nullptr;
    shellSurface = nullptr;
    surface = nullptr;
}

bool openWaylandRun() {
    if (!makeSurface()) {
        closeWaylandRun();
        return false;
    }
    eglWindow = wl_egl_window_create(surface, logicalWidth * bufferScale, logicalHeight * bufferScale);
    if (!eglWindow || !openEglWindow(EGL_PLATFORM_WAYLAND_KHR, wayland.display, eglWindow) ||
        !prepareGl(logicalWidth * bufferScale, logicalHeight * bufferScale)) {
        closeWaylandRun();
        return false;
    }
    return true;
}

// The output this process draws on: the one its parent named, the one
// swaylock-plugin names, else the first the compositor lists.
bool chooseOutput() {
    if (const char* named = std::getenv(outputEnvironmentName)) {
        chosenOutputName = static_cast<uint32_t>(std::strtoul(named, nullptr, 10));
        drawsOneOfSeveral = true;
        return findOutput(chosenOutputName) != nullptr;
    }
    const char* pluginOutput = std::getenv("SWAYLOCK_PLUGIN_OUTPUT_NAME");
    for (const auto& output : wayland.outputs)
        if (!pluginOutput || output->name == pluginOutput) {
            chosenOutputName = output->globalName;
            return true;
        }
    // A compositor older than wl_output 4 names no output: the first it lists will do.
    const bool named = std::any_of(wayland.outputs.begin(), wayland.outputs.end(),
                                   [](const auto& output) { return !output->name.empty(); });
    if (named || wayland.outputs.empty())
        return false;
    chosenOutputName = wayland.outputs.front()->globalName;
    return true;
}

int runOneSurface(const HackOptions& options) {
    wayland.outputGone = followOutputs;
    wayland.outputReady = outputDescribed;
    wayland.hidesPointer = options.target == DrawTarget::Root;
    const bool onAnOutput = options.target != DrawTarget::OwnWindow && wayland.layerShell;
    if (onAnOutput && !chooseOutput()) {
        if (drawsOneOfSeveral)
            return outputGoneExitCode;
        std::fprintf(stderr, "norwyn: the Wayland compositor shows no output to draw on\n");
        return 1;
    }
    return runSaver({openWaylandRun, {pollWaylandEvent, swapWaylandBuffers, paceWaylandFrames}, closeWaylandRun, 1},
                    planRun(options.target, Backend::Wayland, options.showFps));
}

} // namespace

int runWaylandSaver(const HackOptions& options, int, char** argv) {
    runOptions = &options;
    installStopSignals();
    // libwayland takes a handed-over connection from WAYLAND_SOCKET and unsets it.
    const bool handedOver = std::getenv("WAYLAND_SOCKET") != nullptr;
    if (!connectWayland()) {
        disconnectWayland();
        return 1;
    }
    const bool onOutputs = options.target == DrawTarget::Root || options.target == DrawTarget::Wallpaper;
    int exitCode = 1;
    if (options.target == DrawTarget::Wallpaper && !wayland.layerShell) {
        std::fprintf(stderr, "norwyn: this Wayland compositor offers no layer shell, which --wallpaper needs\n");
    } else if (onOutputs && wayland.layerShell && !handedOver && !std::getenv(outputEnvironmentName)) {
        exitCode = runOnEveryOutput(argv);
    } else {
        startFramePacing(options.delayMicroseconds);
        exitCode = runOneSurface(options);
    }
    disconnectWayland();
    return exitCode;
}
