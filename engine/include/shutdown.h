// The one way out of the program.
//
// Every end goes through shutDown: "Quit" on the title menu, a closed window
// or a quit signal (code 0), each load failure (its own code, after its
// message), and a lost display (kDisplayLostExit, after one line saying so).
// The game's own releases run first, then the font library and SDL are shut
// down; but once the display is lost nothing more may touch it, nor the
// audio device, so then the process ends at once.
#pragma once

// Exit code when the connection to the display is lost while the game runs.
constexpr int kDisplayLostExit = 69;

// What the game releases on the way out (its samples, the sound library).
void setShutDownRelease(void (*release)());

// Releases what the game holds, shuts the font library and SDL down, and
// ends the process with the exit code.
[[noreturn]] void shutDown(int exitCode);
// The font library and SDL shut down, which stops SDL's audio thread. Also
// run at exit by whatever else ends a process that started SDL (a test that
// returns from main), so no SDL thread outlives the libraries it calls.
void closeSdl();

// The end for a lost display (its window's client or its server killed):
// one line saying so, then the process ends at once with kDisplayLostExit.
// Nothing is released, since that would wait on the dead connection or on
// the audio device, and no exit handler runs. Safe in a signal handler.
[[noreturn]] void shutDownForLostDisplay();

// SIGTERM, SIGINT and SIGHUP become a quit request, seen by the event poll
// as a quit event is; installed once SDL is up, in place of SDL's own.
void catchQuitSignals();
bool quitSignalled();
