#include "gamepad.h"

#include "game_state.h"
#include "keys.h"

#include <cstring>

namespace {

// The pads' controls: stick axes and the d-pad's hat.
constexpr int kStickXAxis = 0;
constexpr int kStickYAxis = 1;
constexpr int kDpadHat = 0;

SDL_Joystick* pad[kMaxPads] = {};
Uint8 mergedKeys[SDLK_LAST];

struct Directions {
    bool left, right, up, down;
};

Directions directions(const PadState& p)
{
    return {(p.hat & SDL_HAT_LEFT) || p.stickX < -kStickDeadZone,
            (p.hat & SDL_HAT_RIGHT) || p.stickX > kStickDeadZone,
            (p.hat & SDL_HAT_UP) || p.stickY < -kStickDeadZone,
            (p.hat & SDL_HAT_DOWN) || p.stickY > kStickDeadZone};
}

void hold(Uint8* keys, SDLKey key, bool held)
{
    if (held)
        keys[key] = 1;
}

}  // namespace

PadMode currentPadMode()
{
    if (nameEntryActive)
        return kPadsOff;
    return menuActive ? kPadsMenu : kPadsDrive;
}

void mergePadKeys(const PadState pads[kMaxPads], PadMode mode, const Uint8* keyboard, Uint8* keys)
{
    std::memcpy(keys, keyboard, SDLK_LAST);
    // Each player's own actions while driving; the shared menu keys
    // otherwise.
    for (int p = 0; p < kMaxPads; ++p) {
        const Directions d = directions(pads[p]);
        if (mode == kPadsDrive) {
            hold(keys, playerKey(p, kLeftAction), d.left);
            hold(keys, playerKey(p, kRightAction), d.right);
            hold(keys, playerKey(p, kFireAction), pads[p].fire);
        } else if (mode == kPadsMenu) {
            hold(keys, kMenuUpKey, d.up);
            hold(keys, kMenuDownKey, d.down);
            hold(keys, kChooseKey, pads[p].fire);
        }
    }
}

void openGamepads()
{
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0)
        return;
    SDL_JoystickEventState(SDL_ENABLE);
    for (int p = 0; p < kMaxPads && p < SDL_NumJoysticks(); ++p)
        if (!pad[p])
            pad[p] = SDL_JoystickOpen(p);
}

void readGamepads(PadState pads[kMaxPads])
{
    for (int p = 0; p < kMaxPads; ++p) {
        SDL_Joystick* j = pad[p];
        pads[p] = {};
        if (!j)
            continue;
        if (SDL_JoystickNumAxes(j) > kStickYAxis) {
            pads[p].stickX = SDL_JoystickGetAxis(j, kStickXAxis);
            pads[p].stickY = SDL_JoystickGetAxis(j, kStickYAxis);
        }
        if (SDL_JoystickNumHats(j) > kDpadHat)
            pads[p].hat = SDL_JoystickGetHat(j, kDpadHat);
        pads[p].fire = SDL_JoystickNumButtons(j) > kPadFireButton && SDL_JoystickGetButton(j, kPadFireButton);
    }
}

bool isPadEscape(const SDL_JoyButtonEvent& press)
{
    return press.which < kMaxPads && pad[press.which] &&
           (press.button == kPadStartButton || press.button == kPadBackButton);
}

const Uint8* keysWithPads(const Uint8* keyboard)
{
    PadState pads[kMaxPads];
    readGamepads(pads);
    mergePadKeys(pads, currentPadMode(), keyboard, mergedKeys);
    return mergedKeys;
}
