#include "shutdown.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

void (*gameRelease)() = nullptr;
volatile std::sig_atomic_t quitSignal = 0;
bool displayGone = false;

void noteQuitSignal(int)
{
    quitSignal = 1;
}

// Called by Xlib, on the thread that made the X call, when the connection is
// gone. It must not return (Xlib would exit, and the exit handlers would wait
// on the dead connection for ever) and must not touch the display or the
// audio device again, so the one shut-down ends the process at once. A
// hall-of-fame save never makes an X call, so none is ever cut short by this.
int displayLost(Display*)
{
    std::fputs("korvath: the connection to the display was lost; the game has ended\n", stderr);
    displayGone = true;
    shutDown(kDisplayLostExit);
}

}  // namespace

void setShutDownRelease(void (*release)())
{
    gameRelease = release;
}

void shutDown(int exitCode)
{
    // With the display gone, releasing anything would wait on it (SDL's
    // video, the GL driver) or on the audio device: the process ends here,
    // and its exit handlers, which would do the same, do not run.
    if (displayGone) {
        std::fflush(nullptr);
        _exit(exitCode);
    }
    if (gameRelease)
        gameRelease();
    closeSdl();
    std::exit(exitCode);
}

void closeSdl()
{
    TTF_Quit();
    SDL_Quit();
}

void catchQuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool quitSignalled()
{
    return quitSignal != 0;
}

void watchDisplayConnection()
{
    // A write to the dead connection must fail as an error Xlib reports,
    // not kill the process silently.
    std::signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(displayLost);
}
