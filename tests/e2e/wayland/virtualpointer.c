// virtualpointer: a pointer for a headless Wayland compositor, through its
// zwlr_virtual_pointer_manager_v1. Reads commands from standard input, one a line, and
// answers each with "ok" once the compositor has handled it (or "error"):
//   move <x> <y> <width> <height>   to point x,y of a layout taken as width by height
//   press | release                 the left button
//   click <x> <y> <width> <height>  move there, press and release
// The pointer lives as long as this process: a seat whose pointer comes and goes makes its
// clients drop and recreate theirs.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

struct globals {
    struct wl_seat* seat;
    struct zwlr_virtual_pointer_manager_v1* manager;
};

static void announced(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version)
{
    (void)version;
    struct globals* g = data;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !g->seat)
        g->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        g->manager
            = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void withdrawn(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {announced, withdrawn};

static uint32_t nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void button(struct zwlr_virtual_pointer_v1* pointer, uint32_t state)
{
    zwlr_virtual_pointer_v1_button(pointer, nowMs(), BTN_LEFT, state);
    zwlr_virtual_pointer_v1_frame(pointer);
}

static int run(struct zwlr_virtual_pointer_v1* pointer, const char* line)
{
    char verb[16];
    unsigned x = 0, y = 0, width = 0, height = 0;
    const int fields = sscanf(line, "%15s %u %u %u %u", verb, &x, &y, &width, &height);
    if (fields < 1)
        return 0;
    const int moves = strcmp(verb, "move") == 0 || strcmp(verb, "click") == 0;
    if (moves) {
        if (fields != 5 || width == 0 || height == 0 || x >= width || y >= height)
            return 0;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, nowMs(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (strcmp(verb, "press") == 0 || strcmp(verb, "click") == 0)
        button(pointer, WL_POINTER_BUTTON_STATE_PRESSED);
    if (strcmp(verb, "release") == 0 || strcmp(verb, "click") == 0)
        button(pointer, WL_POINTER_BUTTON_STATE_RELEASED);
    return moves || strcmp(verb, "press") == 0 || strcmp(verb, "release") == 0;
}

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "virtualpointer: no Wayland display\n");
        return 1;
    }
    struct globals g = {NULL, NULL};
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &g);
    wl_display_roundtrip(display);
    if (!g.manager) {
        fprintf(stderr, "virtualpointer: the compositor has no virtual pointers\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer
        = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.manager, g.seat);
    wl_display_roundtrip(display);
    setvbuf(stdout, NULL, _IOLBF, 0);
    puts("ready");

    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        const int ok = run(pointer, line) && wl_display_roundtrip(display) >= 0;
        puts(ok ? "ok" : "error");
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(g.manager);
    if (g.seat)
        wl_seat_destroy(g.seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
