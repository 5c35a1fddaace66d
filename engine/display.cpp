#include "display.h"

#include "backdrop_cache.h"
#include "display_connection.h"
#include "notice.h"
#include "presentation.h"
#include "shutdown.h"
#include "sprite.h"
#include "sprite_batch.h"

#include <SDL_opengl.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

Uint32 lastFrameTick = 0;
bool windowedDisplay = false;
Pacing framePacing = Pacing::kExact;

namespace {

constexpr int kScreenBits = 32;
// How long a failed start of SDL waits to see whether the X server went
// away meanwhile (then it is the lost display's end, not a failed start).
constexpr int kServerGoneWaitMs = 500;

void (*escapeHandler)() = nullptr;
void (*eventHandler)(const SDL_Event&) = nullptr;

void clearScreen()
{
    clearScreenBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A start-up step failed: its message with SDL's reason, and the end;
// unless the display went away under it, which is the lost display's end.
[[noreturn]] void failStartup(FILE* stream, const char* format)
{
    if (displayServerGone(kServerGoneWaitMs))
        shutDownForLostDisplay();
    std::fprintf(stream, format, SDL_GetError());
    std::fflush(stream);
    shutDown(kDisplayFailureExit);
}

// Starts SDL with video and audio. A machine whose audio cannot start still
// plays the game, silently: the sound layer then finds no audio subsystem.
bool startSdl()
{
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) >= 0)
        return true;
    return SDL_Init(SDL_INIT_VIDEO) >= 0;
}

// Mesa's software renderer splits each frame among as many threads as the
// machine has cores. This game's frames are a few large quads over many
// small ones; measured on two cores, they finish about a fifth sooner split
// among eight threads (four or sixteen were slower). A setting of the
// player's own is kept; other drivers ignore it.
void splitSoftwareRenderingFiner()
{
    const unsigned threads = std::max(8u, std::thread::hardware_concurrency());
    setenv("LP_NUM_THREADS", std::to_string(threads).c_str(), 0);
}

}  // namespace

double centredX(unsigned imageWidth)
{
    return kScreenCentreX - double(imageWidth / 2);
}

void setEscapeHandler(void (*handler)())
{
    escapeHandler = handler;
}

void setEventHandler(void (*handler)(const SDL_Event& event))
{
    eventHandler = handler;
}

bool toggleFullScreen()
{
    return togglePresentationFullScreen();
}

void initDisplay()
{
    const ScreenSize screen = connectToDisplay();
    splitSoftwareRenderingFiner();
    int modeWidth = kScreenWidth, modeHeight = kScreenHeight;
    choosePresentation(screen, !windowedDisplay, modeWidth, modeHeight);
    if (!startSdl())
        failStartup(stdout, "Unable to init SDL:  %s\n");
    catchQuitSignals();

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    const Uint32 screenMode = windowedDisplay ? 0 : SDL_FULLSCREEN;
    SDL_WM_SetCaption("Korvath", "Korvath");
    if (!SDL_SetVideoMode(modeWidth, modeHeight, kScreenBits, SDL_HWSURFACE | SDL_OPENGL | screenMode))
        failStartup(stdout, "Unable to setup screen at 640x480x32:  %s\n");
    if (TTF_Init() < 0)
        failStartup(stderr, "Couldn't initialize TTF: %s\n");

    SDL_ShowCursor(SDL_DISABLE);
    initGl();
    initPresentation();
    lastFrameTick = SDL_GetTicks();
}

// The game's own 640 x 480, whatever the window's size: a larger window
// shows the frame enlarged (presentation.h).
void initGl()
{
    const int width = kScreenWidth;
    const int height = kScreenHeight;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // y runs downwards; depth from -100 (far) to +100 (near).
    glOrtho(0.0, width, height, 0.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    // Fully transparent texels are discarded and write no depth.
    glAlphaFunc(GL_NOTEQUAL, 0.0f);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    initBackdropCache();
}

bool pollEvents()
{
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT)
            quit = true;
        else if (event.type == SDL_VIDEOEXPOSE)
            presentationDamaged();
        else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
            if (escapeHandler)
                escapeHandler();
        } else if (eventHandler)
            eventHandler(event);
    }
    renderFrame();
    return quit || quitSignalled();
}

void clearScreenBuffers(GLbitfield buffers)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(buffers);
}

void drawScene()
{
    drawSceneListBatched();
    drawNotice();
}

void drawSceneReference()
{
    clearScreen();
    for (Sprite* sprite = sceneHead; sprite; sprite = sprite->next)
        if (sprite->visible && sprite->alpha() > 0.0)
            sprite->draw();
    drawNotice();
}

void waitForFrameTime()
{
    // The difference form keeps working when the tick count wraps round.
    if (framePacing == Pacing::kGentle) {
        const Uint32 elapsed = SDL_GetTicks() - lastFrameTick;
        if (elapsed + kGentleMarginMs < kFramePeriodMs)
            SDL_Delay(kFramePeriodMs - kGentleMarginMs - elapsed);
    }
    // A busy wait, so the next frame starts the moment 15 ms are up.
    while (SDL_GetTicks() - lastFrameTick < kFramePeriodMs) {
    }
    lastFrameTick = SDL_GetTicks();
}

void renderFrame()
{
    beginFrame();
    drawScene();
    finishFrame();
    // Hands the frame to OpenGL now, so that a software renderer draws it
    // while the main loop waits out the frame rather than after. A gentle
    // wait lets it finish first: a sleep beside the renderer's threads
    // wakes late now and then (measured: up to 10 ms, against 2 once the
    // frame is drawn).
    if (framePacing == Pacing::kGentle || getenv("XX_FINISH"))
        glFinish();
    else
        glFlush();
    waitForFrameTime();
    showFrame();
}
