#include "frame_watch.h"

#include <dlfcn.h>

int framesSwapped = 0;
void (*beforeSwap)() = nullptr;

// Takes the place of SDL's own for the game's code in this binary, then
// calls it.
extern "C" void SDL_GL_SwapBuffers()
{
    if (beforeSwap)
        beforeSwap();
    ++framesSwapped;
    static const auto swap = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    swap();
}
