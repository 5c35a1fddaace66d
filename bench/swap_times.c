/* Notes the time of every frame the game hands over to X, a buffer swap or
 * a copy of the picture's rectangle, in the game it is preloaded into:
 *   LD_PRELOAD=build/bench/libswap_times.so KORVATH_SWAP_TIMES=file ./korvath
 * Each hand-over appends a line to the file: microseconds on the monotonic
 * clock (CLOCK_MONOTONIC, as Python's time.monotonic), taken just after it.
 * The game itself is not changed; frame_pacing.py reads the file. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef void (*Function)(void);
typedef void (*CopySubBuffer)(void*, unsigned long, int, int, int, int);

static FILE* times;
static CopySubBuffer realCopySubBuffer;
/* Inside a swap or a copy, whose own puts of shared memory are part of it. */
static int handingOver;

static void note(void)
{
    struct timespec now;
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

void SDL_GL_SwapBuffers(void)
{
    static Function swap;
    if (!swap)
        swap = (Function)dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    ++handingOver;
    swap();
    --handingOver;
    note();
}

static void copySubBuffer(void* display, unsigned long drawable, int x, int y, int w, int h)
{
    ++handingOver;
    realCopySubBuffer(display, drawable, x, y, w, h);
    --handingOver;
    note();
}

/* The copy is found by name at run time, so its lookup is where it is
 * caught. */
static Function lookUp(const char* lookUpName, const unsigned char* name)
{
    Function (*real)(const unsigned char*) = (Function(*)(const unsigned char*))dlsym(RTLD_NEXT, lookUpName);
    Function found = real ? real(name) : NULL;
    if (found && strcmp((const char*)name, "glXCopySubBufferMESA") == 0) {
        realCopySubBuffer = (CopySubBuffer)found;
        return (Function)copySubBuffer;
    }
    return found;
}

Function glXGetProcAddressARB(const unsigned char* name)
{
    return lookUp("glXGetProcAddressARB", name);
}

Function glXGetProcAddress(const unsigned char* name)
{
    return lookUp("glXGetProcAddress", name);
}

/* The sharp picture goes to the window as shared memory. */
int XShmPutImage(void* display, unsigned long drawable, void* gc, void* image, int sx, int sy, int dx, int dy,
                 unsigned w, unsigned h, int sendEvent)
{
    static int (*put)(void*, unsigned long, void*, void*, int, int, int, int, unsigned, unsigned, int);
    int result;
    if (!put)
        put = (int (*)(void*, unsigned long, void*, void*, int, int, int, int, unsigned, unsigned, int))dlsym(RTLD_NEXT, "XShmPutImage");
    result = put(display, drawable, gc, image, sx, sy, dx, dy, w, h, sendEvent);
    if (!handingOver)
        note();
    return result;
}
