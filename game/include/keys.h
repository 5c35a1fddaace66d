// Every key binding of the game. The keyboard is read as held keys once a
// pass (keyHeld); the pads add to it as the keys of the actions they stand
// for (gamepad.h). Only the event keys are taken from key presses: Escape
// (by the event poll), the pause key, the sound keys and Alt+Enter.
//
// The players' actions and pause are one table: the keyboard, the settings
// file and the pads all go through it, so a key is written in one place
// only, and a player may rebind them (settings.h) before the game starts.
#pragma once

#include "game_state.h"

#include <SDL.h>

// ---- The bound actions: what the settings file may rebind ------------------

// Each player's actions, in the table's order.
enum PlayerAction { kLeftAction, kRightAction, kFireAction, kPlayerActions };
// The table: each player's actions, player 1 first, then pause.
constexpr int kPauseAction = kPlayers * kPlayerActions;
constexpr int kBoundActions = kPauseAction + 1;

struct BoundAction {
    const char* name;   // as the settings file names it
    SDLKey defaultKey;  // the key it has without a settings file
};
constexpr BoundAction kBoundAction[kBoundActions] = {
    {"player1.left", SDLK_LEFT}, {"player1.right", SDLK_RIGHT}, {"player1.fire", SDLK_SPACE},
    {"player2.left", SDLK_a},    {"player2.right", SDLK_d},     {"player2.fire", SDLK_LCTRL},
    {"pause", SDLK_p},
};

// The key bound to an action now; the defaults until rebound.
SDLKey boundKey(int action);
SDLKey playerKey(int player, PlayerAction action);
SDLKey pauseKey();
// Binds a key to an action; every action back to its default key.
void bindKey(int action, SDLKey key);
void bindDefaultKeys();

// ---- Keys that stay where they are -----------------------------------------

// The title menu and the hall of fame: move the cursor, choose, leave.
constexpr SDLKey kMenuUpKey = SDLK_UP;
constexpr SDLKey kMenuDownKey = SDLK_DOWN;
constexpr SDLKey kChooseKey = SDLK_SPACE;

// Name entry: a letter (capital with Shift held, or with Caps Lock as the
// only modifier), take one back, store the name.
constexpr SDLKey kFirstLetterKey = SDLK_a;
constexpr SDLKey kLastLetterKey = SDLK_z;
constexpr SDLKey kShiftKeys[2] = {SDLK_LSHIFT, SDLK_RSHIFT};
constexpr SDLKey kEraseKey = SDLK_BACKSPACE;
constexpr SDLKey kConfirmKey = SDLK_RETURN;

// Key presses in every mode but name entry: Escape abandons a game; M
// turns the music off and on, N the sound effects; minus and equals (and
// the keypad's minus and plus) lower and raise the volume. Enter with Alt
// switches between window and full screen.
constexpr SDLKey kEscapeKey = SDLK_ESCAPE;
constexpr SDLKey kMusicKey = SDLK_m;
constexpr SDLKey kEffectsKey = SDLK_n;
constexpr SDLKey kQuieterKeys[2] = {SDLK_MINUS, SDLK_KP_MINUS};
constexpr SDLKey kLouderKeys[2] = {SDLK_EQUALS, SDLK_KP_PLUS};
constexpr SDLKey kFullScreenKeys[2] = {SDLK_RETURN, SDLK_KP_ENTER};
constexpr int kFullScreenModifier = KMOD_ALT;

// A key that one of these presses takes in play, so no action may be bound
// to it: its name ("the music switch"), or null for a free key.
const char* fixedKeyUse(SDLKey key);

// ---- Key names ----------------------------------------------------------------

// The key SDL names so ("left", "space", "left ctrl", "j"), or the
// keypad's keys as "keypad 4" (SDL's "[4]"); case does not matter.
// SDLK_UNKNOWN when no key has the name.
SDLKey keyNamed(const char* name);
// SDL's name for a key.
const char* keyName(SDLKey key);
