#pragma once
// The surfaces of a Wayland run: a layer-shell surface on each output drawn
// (overlay or background layer), or one xdg-shell toplevel. Each has its EGL
// window surface, its own size and scale, and a frame callback of its own.
// A surface is drawn on from the configure that gave it an EGL surface until
// the compositor closes it or its output goes away; then only it goes.

#include "gl/gl_window_egl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct WaylandOutput;
struct wl_callback;
struct wl_egl_window;
struct wl_surface;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

struct ScreenSurface {
    uint64_t id = 0;         // never given twice in a run
    uint32_t outputName = 0; // the output a layer surface covers; for a toplevel, the one it was last shown on
    std::string label;       // how the lines on stderr name it
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    xdg_surface* shell = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_egl_window* eglWindow = nullptr;
    EglWindow gl;
    wl_callback* frameCallback = nullptr;
    int logicalWidth = 0, logicalHeight = 0; // as the compositor configures it
    int pendingWidth = 0, pendingHeight = 0; // a toplevel's, until its configure is done
    int scale = 1;
    bool configured = false;
    bool gone = false; // closed, refused, left without an EGL surface, or its output gone

    int width() const { return logicalWidth * scale; }
    int height() const { return logicalHeight * scale; }
    bool drawable() const { return gl.surface != EGL_NO_SURFACE && !gone; }
    // Drawable, and its last frame shown.
    bool takesFrame() const { return drawable() && !frameCallback; }
};

// In the order they were made.
extern std::vector<std::unique_ptr<ScreenSurface>> screenSurfaces;
// Told when a toplevel is closed: the run ends with it.
extern void (*toplevelClosed)();

// A layer surface over the whole output; it is drawn once configured.
void coverOutput(const WaylandOutput& output, bool wallpaper);
// One toplevel of the given size, full-screen when asked.
void openToplevel(bool fullScreen, int width, int height);
// The surface on that output is gone.
void loseOutput(uint32_t globalName);
// Frees every surface that is gone.
void sweepGoneSurfaces();
// Asks for the next frame callback and swaps; the surface's context is current.
void presentSurface(ScreenSurface& screen);
void closeScreenSurfaces();
