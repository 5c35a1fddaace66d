// The one way out of the program.
//
// Only the main loop ends the program, through shutDown: on a closed window
// or a quit signal (code 0), and on the requests the rest of the game makes
// where the trouble is found ("Quit" on the title menu, a failed save, a load
// that fails, each with its code, after its message), which the loop
// carries out once the pass that made them is over. Before the loop runs
// nothing is held yet, so a failure of start-up ends the program at once,
// through the same function. The game's own releases run first, then the
// font library and SDL are shut down; but once the display is lost nothing
// more may touch it, nor the audio device, so then the process ends at once.
#pragma once

#include <optional>

// Exit code when the connection to the display is lost while the game runs.
constexpr int kDisplayLostExit = 69;

// What the game releases on the way out (its samples, the sound library).
void setShutDownRelease(void (*release)());

// Releases what the game holds, shuts the font library and SDL down, and
// ends the process with the exit code.
[[noreturn]] void shutDown(int exitCode);
// The font library and SDL shut down, which stops SDL's audio thread; once,
// by shutDown, or by a program that ends by returning from main (a test),
// so that no SDL thread outlives the libraries it calls.
void closeSdl();

// Asks for the end with this exit code; the first request stands. Until
// acceptShutDownRequests it ends the program at once.
void requestShutDown(int exitCode);
// From here on requests wait for the caller (the main loop, or a test
// standing in for it) to take them and carry them out.
void acceptShutDownRequests();
// The exit code of the request made, if any, which is then forgotten.
std::optional<int> takeShutDownRequest();

// The end for a lost display (its window's client or its server killed):
// one line saying so, then the process ends at once with kDisplayLostExit.
// Nothing is released, since that would wait on the dead connection or on
// the audio device, and no exit handler runs. Safe in a signal handler.
[[noreturn]] void shutDownForLostDisplay();

// SIGTERM, SIGINT and SIGHUP become a quit request, seen by the event poll
// as a quit event is; installed once SDL is up, in place of SDL's own.
void catchQuitSignals();
bool quitSignalled();
