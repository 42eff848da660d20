#include "shell/wayland_session.h"

#include "shell/saver_run_posix.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

WaylandSession wayland;

namespace {

wl_registry* registry = nullptr;
wl_keyboard* keyboard = nullptr;
wl_pointer* pointer = nullptr;
wl_surface* pointerSurface = nullptr; // the surface the pointer stands on
xkb_context* keyContext = nullptr;
xkb_keymap* keymap = nullptr;
xkb_state* keyState = nullptr;

template <typename Proxy>
Proxy* bind(uint32_t name, const wl_interface& interface, uint32_t offered, uint32_t wanted) {
    return static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

// --- outputs

void outputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {
}
void outputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {
}

void outputDone(void* data, wl_output*) {
    auto& output = *static_cast<WaylandOutput*>(data);
    const bool first = !output.described;
    output.described = true;
    if (first && wayland.outputReady)
        wayland.outputReady(output);
}

void outputScale(void* data, wl_output*, int32_t factor) {
    static_cast<WaylandOutput*>(data)->scale = std::max(factor, 1);
}

void outputName(void* data, wl_output*, const char* name) {
    static_cast<WaylandOutput*>(data)->name = name;
}

void outputDescription(void*, wl_output*, const char*) {
}

const wl_output_listener outputListener = {outputGeometry, outputMode, outputDone,
                                           outputScale,    outputName, outputDescription};

void placementPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    static_cast<WaylandOutput*>(data)->position = {x, y};
}

void placementSize(void*, zxdg_output_v1*, int32_t, int32_t) {
}
void placementDone(void*, zxdg_output_v1*) {
}
void placementName(void*, zxdg_output_v1*, const char*) {
}
void placementDescription(void*, zxdg_output_v1*, const char*) {
}

const zxdg_output_v1_listener placementListener = {placementPosition, placementSize, placementDone, placementName,
                                                   placementDescription};

void placeOutput(WaylandOutput& output) {
    if (!wayland.outputManager || output.placement)
        return;
    output.placement = zxdg_output_manager_v1_get_xdg_output(wayland.outputManager, output.output);
    zxdg_output_v1_add_listener(output.placement, &placementListener, &output);
}

void addOutput(uint32_t name, uint32_t version) {
    auto output = std::make_unique<WaylandOutput>();
    output->globalName = name;
    output->output = bind<wl_output>(name, wl_output_interface, version, 4);
    wl_output_add_listener(output->output, &outputListener, output.get());
    placeOutput(*output);
    wayland.outputs.push_back(std::move(output));
}

void destroyOutput(WaylandOutput& output) {
    if (output.placement)
        zxdg_output_v1_destroy(output.placement);
    wl_output_destroy(output.output);
}

void removeOutput(uint32_t name) {
    auto& outputs = wayland.outputs;
    const auto found =
        std::find_if(outputs.begin(), outputs.end(), [&](const auto& output) { return output->globalName == name; });
    if (found == outputs.end())
        return;
    if (wayland.outputGone)
        wayland.outputGone(name);
    destroyOutput(**found);
    outputs.erase(found);
}

// --- keyboard

void keyboardKeymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            xkb_keymap* fresh = xkb_keymap_new_from_buffer(keyContext, static_cast<const char*>(text),
                                                           strnlen(static_cast<const char*>(text), size),
                                                           XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            munmap(text, size);
            if (fresh) {
                xkb_state_unref(keyState);
                xkb_keymap_unref(keymap);
                keymap = fresh;
                keyState = xkb_state_new(keymap);
            }
        }
    }
    close(fd);
}

void keyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {
}
void keyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {
}

// The character the key types on the layout in use, Ctrl-C as 3; 0 for one
// that types none or no ASCII character.
void keyboardKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED)
        return;
    constexpr uint32_t evdevToXkb = 8;
    const uint32_t typed = keyState ? xkb_state_key_get_utf32(keyState, key + evdevToXkb) : 0;
    reportKey(typed < 0x80 ? static_cast<char>(typed) : 0);
}

void keyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                       uint32_t group) {
    if (keyState)
        xkb_state_update_mask(keyState, depressed, latched, locked, 0, 0, group);
}

void keyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {
}

const wl_keyboard_listener keyboardListener = {keyboardKeymap, keyboardEnter,     keyboardLeave,
                                               keyboardKey,    keyboardModifiers, keyboardRepeat};

// --- pointer

// A position on the surface the pointer stands on, placed in the layout.
CursorPoint pointAt(wl_fixed_t x, wl_fixed_t y) {
    const CursorPoint onSurface = {wl_fixed_to_int(x), wl_fixed_to_int(y)};
    if (!pointerSurface || !wayland.surfaceOrigin)
        return onSurface;
    return placeInLayout(wayland.surfaceOrigin(pointerSurface), onSurface);
}

void pointerEnter(void*, wl_pointer* entered, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    if (wayland.hidesPointer)
        wl_pointer_set_cursor(entered, serial, nullptr, 0, 0);
    pointerSurface = surface;
    reportPointer(pointAt(x, y));
}

void pointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {
    pointerSurface = nullptr;
}

void pointerMotion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    reportPointer(pointAt(x, y));
}

void pointerButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    if (state == WL_POINTER_BUTTON_STATE_PRESSED)
        reportButton();
}

// A scroll counts as a button.
void pointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {
    reportButton();
}

void pointerFrame(void*, wl_pointer*) {
}
void pointerAxisSource(void*, wl_pointer*, uint32_t) {
}
void pointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {
}
void pointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {
}
void pointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {
}

const wl_pointer_listener pointerListener = {
    pointerEnter, pointerLeave,      pointerMotion,   pointerButton,       pointerAxis,
    pointerFrame, pointerAxisSource, pointerAxisStop, pointerAxisDiscrete, pointerAxisValue120};

// --- seat

// A seat from version 3 on takes a device back with release; an older one
// has no such request, and the proxy is only destroyed.
template <typename Device>
void letGo(Device*& device, uint32_t releaseSince, void (*release)(Device*), void (*destroy)(Device*)) {
    if (!device)
        return;
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(device)) >= releaseSince)
        release(device);
    else
        destroy(device);
    device = nullptr;
}

void letKeyboardGo() {
    letGo(keyboard, WL_KEYBOARD_RELEASE_SINCE_VERSION, wl_keyboard_release, wl_keyboard_destroy);
}

void letPointerGo() {
    letGo(pointer, WL_POINTER_RELEASE_SINCE_VERSION, wl_pointer_release, wl_pointer_destroy);
    pointerSurface = nullptr;
}

// A device that goes (a mouse asleep, a KVM switch, an unplugged dock)
// leaves its wl_pointer or wl_keyboard inert for good: it is let go, and the
// capability's return brings a new one.
void seatCapabilities(void*, wl_seat* seat, uint32_t capabilities) {
    if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD))
        letKeyboardGo();
    else if (!keyboard) {
        keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(keyboard, &keyboardListener, nullptr);
    }
    if (!(capabilities & WL_SEAT_CAPABILITY_POINTER))
        letPointerGo();
    else if (!pointer) {
        pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(pointer, &pointerListener, nullptr);
    }
}

void seatName(void*, wl_seat*, const char*) {
}

const wl_seat_listener seatListener = {seatCapabilities, seatName};

void wmBasePing(void*, xdg_wm_base* base, uint32_t serial) {
    xdg_wm_base_pong(base, serial);
}

const xdg_wm_base_listener wmBaseListener = {wmBasePing};

// --- registry

void registryGlobal(void*, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
    const std::string_view offered = interface;
    if (offered == wl_compositor_interface.name) {
        wayland.compositor = bind<wl_compositor>(name, wl_compositor_interface, version, 4);
    } else if (offered == zwlr_layer_shell_v1_interface.name) {
        wayland.layerShell = bind<zwlr_layer_shell_v1>(name, zwlr_layer_shell_v1_interface, version, 4);
    } else if (offered == xdg_wm_base_interface.name) {
        wayland.wmBase = bind<xdg_wm_base>(name, xdg_wm_base_interface, version, 1);
        xdg_wm_base_add_listener(wayland.wmBase, &wmBaseListener, nullptr);
    } else if (offered == wl_seat_interface.name && !wayland.seat) {
        wayland.seat = bind<wl_seat>(name, wl_seat_interface, version, 5);
        wl_seat_add_listener(wayland.seat, &seatListener, nullptr);
    } else if (offered == wl_output_interface.name) {
        addOutput(name, version);
    } else if (offered == zxdg_output_manager_v1_interface.name) {
        wayland.outputManager = bind<zxdg_output_manager_v1>(name, zxdg_output_manager_v1_interface, version, 3);
        for (const auto& output : wayland.outputs)
            placeOutput(*output);
    }
}

void registryGlobalRemove(void*, wl_registry*, uint32_t name) {
    removeOutput(name);
}

const wl_registry_listener registryListener = {registryGlobal, registryGlobalRemove};

} // namespace

bool connectWayland() {
    wayland.display = wl_display_connect(nullptr);
    if (!wayland.display) {
        std::fprintf(stderr, "norwyn: cannot connect to the Wayland compositor\n");
        return false;
    }
    keyContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    registry = wl_display_get_registry(wayland.display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    // The first round trip lists the globals, the second their first events.
    if (wl_display_roundtrip(wayland.display) < 0 || wl_display_roundtrip(wayland.display) < 0) {
        std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
        return false;
    }
    if (!wayland.compositor) {
        std::fprintf(stderr, "norwyn: this Wayland compositor offers no wl_compositor\n");
        return false;
    }
    return true;
}

void disconnectWayland() {
    if (!wayland.display)
        return;
    letKeyboardGo();
    letPointerGo();
    xkb_state_unref(keyState);
    xkb_keymap_unref(keymap);
    xkb_context_unref(keyContext);
    keyState = nullptr;
    keymap = nullptr;
    keyContext = nullptr;
    wl_display_disconnect(wayland.display);
    wayland = {};
    registry = nullptr;
}

bool dispatchWayland() {
    if (wl_display_dispatch(wayland.display) < 0)
        return false;
    return wl_display_flush(wayland.display) >= 0 || errno == EAGAIN;
}

bool dispatchWaitingWayland() {
    wl_display* display = wayland.display;
    while (wl_display_prepare_read(display) != 0)
        if (wl_display_dispatch_pending(display) < 0)
            return false;
    wl_display_flush(display);
    pollfd connection = {wl_display_get_fd(display), POLLIN, 0};
    if (poll(&connection, 1, 0) > 0) {
        if (wl_display_read_events(display) < 0)
            return false;
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0 && wl_display_get_error(display) == 0;
}

WaylandOutput* findOutput(uint32_t globalName) {
    for (const auto& output : wayland.outputs)
        if (output->globalName == globalName)
            return output.get();
    return nullptr;
}
