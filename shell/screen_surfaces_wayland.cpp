#include "shell/screen_surfaces_wayland.h"

#include "shell/saver_loop.h"
#include "shell/wayland_session.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>
#include <wayland-egl.h>

#include <algorithm>
#include <cstdio>

std::vector<std::unique_ptr<ScreenSurface>> screenSurfaces;
void (*toplevelClosed)() = nullptr;

namespace {

uint64_t lastId = 0;

ScreenSurface& addSurface(uint32_t outputName, std::string label) {
    auto screen = std::make_unique<ScreenSurface>();
    screen->id = ++lastId;
    screen->outputName = outputName;
    screen->label = std::move(label);
    screen->surface = wl_compositor_create_surface(wayland.compositor);
    screenSurfaces.push_back(std::move(screen));
    return *screenSurfaces.back();
}

// The first configure gives the surface its EGL window; a surface that
// cannot have one is left uncovered, and the others run.
void applySize(ScreenSurface& screen) {
    screen.configured = true;
    wl_surface_set_buffer_scale(screen.surface, screen.scale);
    if (screen.eglWindow) {
        wl_egl_window_resize(screen.eglWindow, screen.width(), screen.height(), 0, 0);
        return;
    }
    screen.eglWindow = wl_egl_window_create(screen.surface, screen.width(), screen.height());
    if (!screen.eglWindow) {
        std::fprintf(stderr, "norwyn: cannot make an EGL window for %s\n", screen.label.c_str());
        screen.gone = true;
    } else if (!openEglWindow(screen.eglWindow, screen.label.c_str(), screen.gl)) {
        screen.gone = true;
    }
}

// --- layer surface

void layerConfigure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height) {
    auto& screen = *static_cast<ScreenSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    screen.logicalWidth = static_cast<int>(width);
    screen.logicalHeight = static_cast<int>(height);
    applySize(screen);
}

void layerClosed(void* data, zwlr_layer_surface_v1*) {
    auto& screen = *static_cast<ScreenSurface*>(data);
    if (!screen.configured)
        std::fprintf(stderr, "norwyn: the Wayland compositor refused the surface on %s\n", screen.label.c_str());
    screen.gone = true;
}

const zwlr_layer_surface_v1_listener layerListener = {layerConfigure, layerClosed};

// --- xdg toplevel

void shellConfigure(void* data, xdg_surface* shell, uint32_t serial) {
    auto& screen = *static_cast<ScreenSurface*>(data);
    xdg_surface_ack_configure(shell, serial);
    if (screen.pendingWidth > 0 && screen.pendingHeight > 0) {
        screen.logicalWidth = screen.pendingWidth;
        screen.logicalHeight = screen.pendingHeight;
    }
    applySize(screen);
}

const xdg_surface_listener shellListener = {shellConfigure};

// A size of 0 leaves the choice to us: the one we had.
void toplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
    auto& screen = *static_cast<ScreenSurface*>(data);
    screen.pendingWidth = width;
    screen.pendingHeight = height;
}

void toplevelClose(void*, xdg_toplevel*) {
    if (toplevelClosed)
        toplevelClosed();
}

void toplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {
}
void toplevelCapabilities(void*, xdg_toplevel*, wl_array*) {
}

const xdg_toplevel_listener toplevelListener = {toplevelConfigure, toplevelClose, toplevelBounds, toplevelCapabilities};

// A toplevel takes the scale of the output it is shown on, and that
// output's place in the layout for the pointer.
void surfaceEnter(void* data, wl_surface*, wl_output* output) {
    auto& screen = *static_cast<ScreenSurface*>(data);
    if (!screen.toplevel)
        return;
    for (const auto& known : wayland.outputs) {
        if (known->output != output)
            continue;
        screen.outputName = known->globalName;
        if (known->scale != screen.scale) {
            screen.scale = known->scale;
            if (screen.configured)
                applySize(screen);
        }
    }
}

void surfaceLeave(void*, wl_surface*, wl_output*) {
}

const wl_surface_listener surfaceListener = {surfaceEnter, surfaceLeave};

// --- frames

void frameDone(void* data, wl_callback* callback, uint32_t) {
    wl_callback_destroy(callback);
    static_cast<ScreenSurface*>(data)->frameCallback = nullptr;
}

const wl_callback_listener frameListener = {frameDone};

void destroySurface(ScreenSurface& screen) {
    closeEglWindow(screen.gl);
    if (screen.frameCallback)
        wl_callback_destroy(screen.frameCallback);
    if (screen.eglWindow)
        wl_egl_window_destroy(screen.eglWindow);
    if (screen.layer)
        zwlr_layer_surface_v1_destroy(screen.layer);
    if (screen.toplevel)
        xdg_toplevel_destroy(screen.toplevel);
    if (screen.shell)
        xdg_surface_destroy(screen.shell);
    wl_surface_destroy(screen.surface);
}

} // namespace

void coverOutput(const WaylandOutput& output, bool wallpaper) {
    ScreenSurface& screen = addSurface(
        output.globalName, "output " + (output.name.empty() ? std::to_string(output.globalName) : output.name));
    screen.scale = output.scale;
    wl_surface_add_listener(screen.surface, &surfaceListener, &screen);
    screen.layer = zwlr_layer_shell_v1_get_layer_surface(
        wayland.layerShell, screen.surface, output.output,
        wallpaper ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "norwyn");
    zwlr_layer_surface_v1_add_listener(screen.layer, &layerListener, &screen);
    zwlr_layer_surface_v1_set_size(screen.layer, 0, 0);
    zwlr_layer_surface_v1_set_anchor(screen.layer,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(screen.layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        screen.layer, wallpaper ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    wl_surface_commit(screen.surface);
}

void openToplevel(bool fullScreen, int width, int height) {
    ScreenSurface& screen = addSurface(0, "the window");
    wl_surface_add_listener(screen.surface, &surfaceListener, &screen);
    screen.shell = xdg_wm_base_get_xdg_surface(wayland.wmBase, screen.surface);
    xdg_surface_add_listener(screen.shell, &shellListener, &screen);
    screen.toplevel = xdg_surface_get_toplevel(screen.shell);
    xdg_toplevel_add_listener(screen.toplevel, &toplevelListener, &screen);
    xdg_toplevel_set_title(screen.toplevel, saverWindowTitle);
    xdg_toplevel_set_app_id(screen.toplevel, "norwyn");
    if (fullScreen)
        xdg_toplevel_set_fullscreen(screen.toplevel, nullptr);
    screen.logicalWidth = width;
    screen.logicalHeight = height;
    wl_surface_commit(screen.surface);
}

void loseOutput(uint32_t globalName) {
    for (const auto& screen : screenSurfaces)
        if (screen->layer && screen->outputName == globalName)
            screen->gone = true;
}

void sweepGoneSurfaces() {
    std::erase_if(screenSurfaces, [](const std::unique_ptr<ScreenSurface>& screen) {
        if (screen->gone)
            destroySurface(*screen);
        return screen->gone;
    });
}

void presentSurface(ScreenSurface& screen) {
    screen.frameCallback = wl_surface_frame(screen.surface);
    wl_callback_add_listener(screen.frameCallback, &frameListener, &screen);
    swapEglBuffers(screen.gl);
}

void closeScreenSurfaces() {
    for (const auto& screen : screenSurfaces)
        destroySurface(*screen);
    screenSurfaces.clear();
}
