#pragma once
// The connection to the Wayland compositor and what Norwyn binds of it: the
// compositor, the layer shell where there is one, xdg-shell, the outputs with
// their place in the compositor's layout (xdg-output) and the seat. The
// seat's keyboard (read through xkbcommon, so that q is q on every layout)
// and pointer become the run's input reports; a pointer or keyboard the seat
// loses is let go, and one it gains again is taken.

#include "shell/saver_input.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct wl_display;
struct wl_compositor;
struct wl_output;
struct wl_seat;
struct wl_surface;
struct xdg_wm_base;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_layer_shell_v1;

struct WaylandOutput {
    uint32_t globalName = 0; // the registry's name, the same for every client
    wl_output* output = nullptr;
    zxdg_output_v1* placement = nullptr;
    CursorPoint position; // of its top-left corner in the layout, in logical pixels
    int32_t scale = 1;
    std::string name; // "HEADLESS-1", "DP-2": from compositors of wl_output 4 on
    bool described = false;
};

struct WaylandSession {
    wl_display* display = nullptr;
    wl_compositor* compositor = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    xdg_wm_base* wmBase = nullptr;
    zxdg_output_manager_v1* outputManager = nullptr;
    wl_seat* seat = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs;
    bool hidesPointer = false; // over the saver's surface, the pointer is hidden
    // Told when an output has sent its description, and when one goes away.
    void (*outputReady)(WaylandOutput& output) = nullptr;
    void (*outputGone)(uint32_t globalName) = nullptr;
    // Where the top-left corner of one of the run's surfaces stands in the
    // layout, for the pointer's positions on it; null leaves them as they are.
    CursorPoint (*surfaceOrigin)(wl_surface* surface) = nullptr;
};

extern WaylandSession wayland;

// Connects (to WAYLAND_SOCKET when the parent handed a connection over, else
// to WAYLAND_DISPLAY) and binds the globals; false, with the reason on
// stderr, when there is no compositor or it lacks what every run needs.
bool connectWayland();
void disconnectWayland();
// Reads and dispatches what the compositor sent, and sends what is queued;
// false once the connection is gone.
bool dispatchWayland();
// The same without waiting: only what has already arrived.
bool dispatchWaitingWayland();

WaylandOutput* findOutput(uint32_t globalName);
