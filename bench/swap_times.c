/* Notes the time of every buffer swap of the game it is preloaded into:
 *   LD_PRELOAD=build/bench/libswap_times.so KORVATH_SWAP_TIMES=file ./korvath
 * Each swap appends a line to the file: microseconds on the monotonic clock
 * (CLOCK_MONOTONIC, as Python's time.monotonic), taken just after the swap.
 * The game itself is not changed; frame_pacing.py reads the file. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static FILE* times;

void SDL_GL_SwapBuffers(void)
{
    static void (*swap)(void);
    struct timespec now;
    if (!swap)
        swap = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    swap();
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (!times) {
        const char* path = getenv("KORVATH_SWAP_TIMES");
        times = fopen(path ? path : "/dev/null", "a");
        if (!times)
            return;
        setvbuf(times, NULL, _IOLBF, 0);
    }
    fprintf(times, "%lld\n", (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000);
}
