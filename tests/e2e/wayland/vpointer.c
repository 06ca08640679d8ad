/* A pointer for a headless wlroots compositor, which has no input devices of its own:
 * one virtual pointer held for the whole run, so that a press and its release come
 * from the same device. Events are stamped with CLOCK_MONOTONIC milliseconds, as a
 * real device's are, so that the program sees when each was made.
 *
 * usage: orvanta-vpointer WIDTH HEIGHT
 * WIDTH x HEIGHT is the extent positions are given in (the output's size). Reads
 * commands from standard input, one per line:
 *   move X Y    moves the pointer to X, Y
 *   down, up    presses or releases the left button
 *   click       down, then up 30 ms later
 *   wait MS     sleeps for MS milliseconds
 *   sync        waits until the compositor has taken everything sent, then prints "ok"
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#define BTN_LEFT 0x110

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (!seat && strcmp(interface, wl_seat_interface.name) == 0)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)((uint64_t)t.tv_sec * 1000u + (uint64_t)t.tv_nsec / 1000000u);
}

static void sleep_ms(long ms)
{
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const uint32_t width = (uint32_t)atoi(argv[1]), height = (uint32_t)atoi(argv[2]);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "vpointer: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "vpointer: the compositor offers no virtual pointers\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);

    char line[256];
    setvbuf(stdout, NULL, _IOLBF, 0);
    while (fgets(line, sizeof line, stdin)) {
        unsigned x, y;
        long ms;
        if (sscanf(line, "move %u %u", &x, &y) == 2) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strncmp(line, "down", 4) == 0 || strncmp(line, "up", 2) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, line[0] == 'd');
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strncmp(line, "click", 5) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, 1);
            zwlr_virtual_pointer_v1_frame(pointer);
            wl_display_flush(display);
            sleep_ms(30);
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, 0);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (sscanf(line, "wait %ld", &ms) == 1) {
            wl_display_flush(display);
            sleep_ms(ms);
        } else if (strncmp(line, "sync", 4) == 0) {
            wl_display_roundtrip(display);
            puts("ok");
        } else if (line[0] != '\n' && line[0] != '#') {
            fprintf(stderr, "vpointer: unknown command: %s", line);
            return 2;
        }
        if (wl_display_flush(display) < 0) {
            fprintf(stderr, "vpointer: the compositor went away\n");
            return 1;
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
