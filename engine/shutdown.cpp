#include "shutdown.h"

#include "presentation.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

void (*gameRelease)() = nullptr;
volatile std::sig_atomic_t quitSignal = 0;
bool requestsAccepted = false;
std::optional<int> request;

constexpr char kDisplayLostLine[] = "korvath: the connection to the display was lost; the game has ended\n";

void noteQuitSignal(int)
{
    quitSignal = 1;
}

}  // namespace

void setShutDownRelease(void (*release)())
{
    gameRelease = release;
}

void shutDown(int exitCode)
{
    if (gameRelease)
        gameRelease();
    closeSdl();
    std::exit(exitCode);
}

void requestShutDown(int exitCode)
{
    if (!requestsAccepted)
        shutDown(exitCode);
    if (!request)
        request = exitCode;
}

void acceptShutDownRequests()
{
    requestsAccepted = true;
}

std::optional<int> takeShutDownRequest()
{
    const std::optional<int> taken = request;
    request.reset();
    return taken;
}

void shutDownForLostDisplay()
{
    // write(2) and _exit alone: this also runs from a signal handler.
    (void)!write(STDERR_FILENO, kDisplayLostLine, sizeof kDisplayLostLine - 1);
    _exit(kDisplayLostExit);
}

void closeSdl()
{
    closePresentation();
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
