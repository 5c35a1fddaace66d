// The main loop: one pass per frame. Each pass polls input (which also draws
// the frame left by the previous pass), reads the keyboard, runs the title
// menu or the game, and then advances every effect. A paused game's passes
// do nothing but draw.
#pragma once

#include <SDL.h>

// Passes between the end of a round and the next round's start.
constexpr int32_t kRoundPausePasses = 100;
// Passes of the end-of-game sequence before the title menu returns.
constexpr int32_t kGameEndPasses = 180;

// Everything a pass does after the poll, with the keys and modifiers given:
// the title menu or the game step, then the effects. The real loop passes
// the live keyboard; tests pass a key state of their own.
void logicPass(const Uint8* keys, SDLMod modifiers);

// The game branch: a playing pass or a between-rounds pass.
void gameStep();
void playingPass();
void betweenRoundsPass();
void effectStep();
// The effect step's debris: each flying piece moves, then feeds its smoke.
void debrisStep();

// An Escape key press (or a pad's Start or Back): it abandons a game, and
// counts only during one.
void escapeKeyPressed();
void escapeSequence();
// Every other event the game acts on: the pause key pauses and resumes,
// Alt+Enter switches between window and full screen, M, N and the volume
// keys change the settings, losing the window's focus pauses, and a pad's
// Start or Back is Escape.
void gameEvent(const SDL_Event& event);
// Has the event poll hand Escape to escapeKeyPressed and the rest to gameEvent.
void installEventHandlers();
// The end of a game: back to the title menu, or on to name entry.
void finishGame();
// The loop itself, and the only place the program ends (shutdown.h): on a
// quit event or signal with code 0, and after any pass in which the game
// asked for its end.
[[noreturn]] void runMainLoop();
