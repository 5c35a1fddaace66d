#include "display_connection.h"

#include "display.h"
#include "shutdown.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <time.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// How long a crash waits for the server's end to show on the witness's
// socket before it is taken for a crash of the game's own.
constexpr int kCrashWitnessWaitMs = 1000;
constexpr int kWitnessPollMs = 10;

// The game's own connection, through which no request is ever made: its
// socket closing is the sign that the server has gone.
Display* witness = nullptr;
int witnessSocket = -1;

// Called by Xlib, on the thread that made the X call, when a connection is
// gone. It must not return: Xlib would exit, and the exit handlers would
// wait on the dead connection for ever.
int displayLost(Display*)
{
    shutDownForLostDisplay();
}

[[noreturn]] void noDisplay(const std::string& why)
{
    std::fprintf(stderr, "korvath: no display: %s\n", why.c_str());
    shutDown(kDisplayFailureExit);
}

// A GL driver may crash rather than report it when the server dies under it
// (seen while SDL sets the video mode). When the witness shows the server
// gone, that crash is the lost display's end; any other crash stays a crash.
// Only async-signal-safe calls here.
void crashed(int signal)
{
    if (displayServerGone(kCrashWitnessWaitMs))
        shutDownForLostDisplay();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void treatCrashesAfterTheServersEndAsItsEnd()
{
    for (int signal : {SIGSEGV, SIGBUS}) {
        struct sigaction action = {};
        action.sa_handler = crashed;
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

// Has the other end closed this socket? Async-signal-safe.
bool hungUp(int socket)
{
    pollfd connection = {socket, POLLIN | POLLRDHUP, 0};
    return poll(&connection, 1, 0) > 0 && (connection.revents & (POLLHUP | POLLERR | POLLRDHUP));
}

bool waylandOnly()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland && *wayland;
}

}  // namespace

ScreenSize connectToDisplay()
{
    // A write to a dead connection must reach the handler as an error, not
    // kill the process silently; and the handler is in place before any
    // connection exists, so that Xlib's own (lines of its own, code 1)
    // never runs.
    std::signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(displayLost);

    const bool playersDriver = std::getenv("SDL_VIDEODRIVER") != nullptr;
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        if (playersDriver)
            return {0, 0};
        if (!waylandOnly())
            noDisplay("DISPLAY is not set");
        setenv("SDL_VIDEODRIVER", "wayland", 1);
        return {0, 0};
    }
    witness = XOpenDisplay(nullptr);
    if (!witness) {
        if (playersDriver)
            return {0, 0};
        noDisplay(std::string("cannot open display ") + name);
    }
    witnessSocket = ConnectionNumber(witness);
    treatCrashesAfterTheServersEndAsItsEnd();
    if (!playersDriver)
        setenv("SDL_VIDEODRIVER", "x11", 1);
    const int screen = DefaultScreen(witness);
    return {DisplayWidth(witness, screen), DisplayHeight(witness, screen)};
}

bool displayServerGone(int waitMs)
{
    if (witnessSocket < 0)
        return false;
    const timespec pause = {0, kWitnessPollMs * 1000000L};
    for (int waited = 0; !hungUp(witnessSocket); waited += kWitnessPollMs) {
        if (waited >= waitMs)
            return false;
        nanosleep(&pause, nullptr);
    }
    return true;
}

void checkDisplayConnection()
{
    // SDL's own connection alone sees its window's client killed. Xlib
    // reads it only when no event is queued, so its socket is asked.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    const bool sdlsGone = SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display &&
                          hungUp(ConnectionNumber(info.info.x11.display));
    if (sdlsGone || displayServerGone(0))
        shutDownForLostDisplay();
}
