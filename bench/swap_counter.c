/* Counts the frames a run of norwyn shows, for bench/display_frame_cost.sh:
 * preloaded into it (LD_PRELOAD), it passes every eglSwapBuffers and
 * glXSwapBuffers on and, for each one that succeeds, adds one to a 64-bit
 * count in the file named by NORWYN_SWAP_COUNT (one swap a surface: a run on
 * two outputs counts two a frame). The count sits in a shared
 * mapping, so the benchmark reads it while the run goes on, and a run ended by
 * a signal loses nothing. One atomic add a frame, nothing else. */

#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static uint64_t* counter;
static int counterTried;

static void countSwap(void) {
    if (!__atomic_load_n(&counterTried, __ATOMIC_ACQUIRE)) {
        const char* path = getenv("NORWYN_SWAP_COUNT");
        if (path) {
            const int file = open(path, O_RDWR | O_CLOEXEC);
            if (file >= 0) {
                void* mapped = mmap(NULL, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
                if (mapped != MAP_FAILED)
                    counter = mapped;
                close(file);
            }
        }
        __atomic_store_n(&counterTried, 1, __ATOMIC_RELEASE);
    }
    if (counter)
        __atomic_fetch_add(counter, 1, __ATOMIC_RELAXED);
}

typedef unsigned (*EglSwap)(void*, void*);
typedef void (*GlxSwap)(void*, unsigned long);

unsigned eglSwapBuffers(void* display, void* surface) {
    static EglSwap next;
    if (!next)
        next = (EglSwap)dlsym(RTLD_NEXT, "eglSwapBuffers");
    const unsigned swapped = next(display, surface);
    if (swapped)
        countSwap();
    return swapped;
}

void glXSwapBuffers(void* display, unsigned long drawable) {
    static GlxSwap next;
    if (!next)
        next = (GlxSwap)dlsym(RTLD_NEXT, "glXSwapBuffers");
    next(display, drawable);
    countSwap();
}
