/* A pointer for the Wayland end-to-end test: plugs a virtual pointer into the
 * compositor in $WAYLAND_DISPLAY (wlr-virtual-pointer) and moves, clicks and
 * scrolls it as told on stdin, one command a line:
 *
 *   move DX DY             move by DX, DY pixels
 *   place X Y WIDTH HEIGHT move to X, Y of a WIDTH by HEIGHT layout
 *   click [BUTTON]         press and release a button (BTN_LEFT unless given)
 *   scroll [STEPS]         turn the wheel down by STEPS (1 unless given)
 *   quit                   unplug the pointer and exit (so does the end of stdin)
 *
 * It prints "ready" once the pointer is plugged in and "ok" after each
 * command, once the compositor has taken it in: whatever it sends on to its
 * clients is on their sockets by then. A bad command prints "error: ...";
 * a lost compositor ends the helper with 1.
 *
 * While it runs, the seat has a pointer, so sway's own `seat seat0 cursor`
 * commands reach clients too. */

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

enum {
    buttonLeft = 0x110, /* BTN_LEFT of linux/input-event-codes.h */
    axisVertical = 0,   /* wl_pointer.axis */
    axisSourceWheel = 0, /* wl_pointer.axis_source */
    buttonReleased = 0,
    buttonPressed = 1,
    wheelStep = 15, /* the scroll distance of one wheel step, as libinput reports it */
};

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void onGlobal(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version) {
    (void)data;
    (void)version;
    if (!seat && strcmp(interface, wl_seat_interface.name) == 0)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (!manager && strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void onGlobalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

static uint32_t now(void) {
    struct timespec time;
    clock_gettime(CLOCK_MONOTONIC, &time);
    return (uint32_t)(time.tv_sec * 1000 + time.tv_nsec / 1000000);
}

static void reply(const char* text) {
    puts(text);
    fflush(stdout);
}

/* Carries out one line; returns 0 on quit, 1 to go on. */
static int obey(struct zwlr_virtual_pointer_v1* pointer, const char* line) {
    char command[16] = "";
    double dx = 0, dy = 0;
    unsigned x = 0, y = 0, width = 0, height = 0, button = buttonLeft;
    int steps = 1;
    if (sscanf(line, "%15s", command) != 1)
        return 1; /* a blank line */
    if (strcmp(command, "move") == 0 && sscanf(line, "%*s %lf %lf", &dx, &dy) == 2) {
        zwlr_virtual_pointer_v1_motion(pointer, now(), wl_fixed_from_double(dx), wl_fixed_from_double(dy));
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (strcmp(command, "place") == 0 && sscanf(line, "%*s %u %u %u %u", &x, &y, &width, &height) == 4 &&
               x <= width && y <= height && width > 0 && height > 0) {
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (strcmp(command, "click") == 0) {
        sscanf(line, "%*s %u", &button);
        zwlr_virtual_pointer_v1_button(pointer, now(), button, buttonPressed);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, now(), button, buttonReleased);
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (strcmp(command, "scroll") == 0) {
        sscanf(line, "%*s %d", &steps);
        zwlr_virtual_pointer_v1_axis_source(pointer, axisSourceWheel);
        zwlr_virtual_pointer_v1_axis_discrete(pointer, now(), axisVertical, wl_fixed_from_int(wheelStep * steps),
                                              steps);
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (strcmp(command, "quit") == 0) {
        return 0;
    } else {
        printf("error: cannot read \"%s\"\n", command);
        fflush(stdout);
        return 1;
    }
    return 2;
}

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "virtual_pointer: no Wayland compositor to connect to\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    if (wl_display_roundtrip(display) < 0 || !manager) {
        fprintf(stderr, "virtual_pointer: the compositor offers no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    if (wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "virtual_pointer: the compositor refused the pointer\n");
        return 1;
    }
    reply("ready");

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        const int result = obey(pointer, line);
        if (result == 0)
            break;
        if (result == 2) {
            if (wl_display_roundtrip(display) < 0) {
                fprintf(stderr, "virtual_pointer: lost the compositor\n");
                return 1;
            }
            reply("ok");
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    if (seat)
        wl_seat_destroy(seat);
    wl_registry_destroy(registry);
    const int lost = wl_display_roundtrip(display) < 0;
    wl_display_disconnect(display);
    return lost;
}
