// Gamepads: up to two of SDL's joysticks, the first for player 1 and the
// second for player 2. Each pass their state is folded into the key state
// the rules read, as the keys bound to the actions they stand for (keys.h),
// so the rules cannot tell a pad from the keyboard, and both work together. During play
// the stick (beyond its dead zone) or the d-pad drives and the bottom face
// button fires; on the title menu and the hall of fame either pad moves the
// cursor and chooses; name entry takes nothing from the pads. Start or Back
// acts as Escape. Pads must be plugged in when the game starts.
#pragma once

#include <SDL.h>

constexpr int kMaxPads = 2;
// Stick travel from the centre that still counts as centred, of 32767.
constexpr int kStickDeadZone = 8000;
// Button numbers of the usual pad layout.
constexpr Uint8 kPadFireButton = 0;   // the bottom face button
constexpr Uint8 kPadBackButton = 6;
constexpr Uint8 kPadStartButton = 7;

// One pad as read this pass; an absent pad reads as all zero (centred, up).
struct PadState {
    Sint16 stickX;  // -32768 (left) .. 32767 (right)
    Sint16 stickY;  // -32768 (up) .. 32767 (down)
    Uint8 hat;      // the d-pad, SDL_HAT_* bits
    bool fire;      // the bottom face button held
};

// What the pads drive: the tanks, the menu cursor, or nothing.
enum PadMode { kPadsDrive, kPadsMenu, kPadsOff };

// The mode the game is in now: off during name entry, the menu while the
// title menu or the hall of fame is up, driving otherwise.
PadMode currentPadMode();

// keys = the keyboard's state (SDLK_LAST entries) with the keys the pads
// hold in this mode added.
void mergePadKeys(const PadState pads[kMaxPads], PadMode mode, const Uint8* keyboard, Uint8* keys);

// Starts SDL's joystick subsystem and opens the first two joysticks; with
// none (or no subsystem) the game is played on the keyboard alone.
void openGamepads();
// The opened pads' state, as the last event poll left it.
void readGamepads(PadState pads[kMaxPads]);
// Whether a button press of an opened pad acts as Escape.
bool isPadEscape(const SDL_JoyButtonEvent& press);

// The keyboard and the pads together for this pass, in a buffer that stays
// valid until the next call.
const Uint8* keysWithPads(const Uint8* keyboard);
