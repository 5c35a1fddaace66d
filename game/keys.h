// Every key binding of the game. The keyboard is read as held keys once a
// pass (keyHeld); the pads add to it as these same keys (gamepad.h). Only
// the event keys are taken from key presses: Escape (by the event poll), P
// and Alt+Enter.
#pragma once

#include <SDL.h>

// The keys each player drives and fires with; player 1 first.
struct TankKeys {
    SDLKey left;
    SDLKey right;
    SDLKey fire;
};
constexpr TankKeys kTankKeys[2] = {
    {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE},
    {SDLK_a, SDLK_d, SDLK_LCTRL},
};

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

// Key presses during a game: P pauses and resumes; Enter with Alt switches
// between window and full screen.
constexpr SDLKey kPauseKey = SDLK_p;
constexpr SDLKey kFullScreenKeys[2] = {SDLK_RETURN, SDLK_KP_ENTER};
constexpr int kFullScreenModifier = KMOD_ALT;
