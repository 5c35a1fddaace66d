// Gamepads: a pad's state as the keys the rules read, and a virtual pad
// playing through the event poll where SDL offers one.
#include "game_harness.h"

#include "display.h"
#include "gamepad.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

const SDLKey kWatched[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_a, SDLK_d, SDLK_LCTRL, SDLK_UP, SDLK_DOWN};

// The watched keys held, by name: "LEFT SPACE" and so on.
std::string heldKeys(const Uint8* keys)
{
    std::string s;
    for (SDLKey k : kWatched)
        if (keys[k])
            s += (s.empty() ? "" : " ") + std::string(SDL_GetKeyName(k));
    return s;
}

TEST(GamepadTest, PadStateToKeyState)
{
    const PadState centred = {};
    const struct {
        PadState pad1, pad2;
        SDLKey keyboard;  // SDLK_UNKNOWN for none
        PadMode mode;
        const char* held;
    } rows[] = {
        {{-kStickDeadZone, 0, 0, false}, centred, SDLK_UNKNOWN, kPadsDrive, ""},
        {{-kStickDeadZone - 1, 0, 0, false}, centred, SDLK_UNKNOWN, kPadsDrive, "left"},
        {{kStickDeadZone, 0, 0, false}, centred, SDLK_UNKNOWN, kPadsDrive, ""},
        {{kStickDeadZone + 1, 0, 0, false}, centred, SDLK_UNKNOWN, kPadsDrive, "right"},
        {{-32768, 32767, 0, true}, centred, SDLK_UNKNOWN, kPadsDrive, "left space"},
        {{0, 0, SDL_HAT_RIGHTUP, false}, centred, SDLK_UNKNOWN, kPadsDrive, "right"},
        {centred, {-20000, 0, 0, true}, SDLK_UNKNOWN, kPadsDrive, "a left ctrl"},
        {centred, {0, 0, SDL_HAT_RIGHT, false}, SDLK_UNKNOWN, kPadsDrive, "d"},
        {{0, 0, SDL_HAT_LEFT, false}, {0, 0, 0, true}, SDLK_SPACE, kPadsDrive, "left space left ctrl"},
        {{20000, 0, 0, false}, centred, SDLK_LEFT, kPadsDrive, "left right"},
        {{-20000, -kStickDeadZone - 1, 0, false}, centred, SDLK_UNKNOWN, kPadsMenu, "up"},
        {centred, {0, 0, SDL_HAT_DOWN, true}, SDLK_UNKNOWN, kPadsMenu, "space down"},
        {{0, -32768, SDL_HAT_LEFT, true}, centred, SDLK_a, kPadsOff, "a"},
    };
    for (const auto& row : rows) {
        const PadState pads[kMaxPads] = {row.pad1, row.pad2};
        Uint8 keyboard[SDLK_LAST] = {};
        keyboard[row.keyboard] = row.keyboard != SDLK_UNKNOWN;
        Uint8 keys[SDLK_LAST];
        mergePadKeys(pads, row.mode, keyboard, keys);
        EXPECT_EQ(heldKeys(keys), row.held) << "row " << (&row - rows);
    }
}

// SDL 2's virtual joystick, through the SDL 2 library that the SDL 1.2
// compatibility layer has loaded beneath the game. Null where there is none.
struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    int (*setAxis)(SDL_Joystick*, int, Sint16) = nullptr;
    int (*setButton)(SDL_Joystick*, int, Uint8) = nullptr;
    int (*setHat)(SDL_Joystick*, int, Uint8) = nullptr;

    VirtualPad()
    {
        void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        auto find = [sdl2](const char* name) { return sdl2 ? dlsym(sdl2, name) : nullptr; };
        auto init = reinterpret_cast<int (*)(Uint32)>(find("SDL_InitSubSystem"));
        auto attach = reinterpret_cast<int (*)(int, int, int, int)>(find("SDL_JoystickAttachVirtual"));
        auto open = reinterpret_cast<SDL_Joystick* (*)(int)>(find("SDL_JoystickOpen"));
        setAxis = reinterpret_cast<decltype(setAxis)>(find("SDL_JoystickSetVirtualAxis"));
        setButton = reinterpret_cast<decltype(setButton)>(find("SDL_JoystickSetVirtualButton"));
        setHat = reinterpret_cast<decltype(setHat)>(find("SDL_JoystickSetVirtualHat"));
        if (!init || !attach || !open || !setAxis || !setButton || !setHat || init(SDL_INIT_JOYSTICK) < 0)
            return;
        const int index = attach(1 /* a game controller */, 2, 8, 1);
        joystick = index < 0 ? nullptr : open(index);
    }
};

TEST(PadGameTest, AVirtualPadPlaysThroughTheEventPoll)
{
    // Other tests' windows may take the focus: the pad is read all the same.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    startGameHarness();
    installEventHandlers();
    SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
    const VirtualPad pad;  // made before the game opens its pads
    if (!pad.joystick)
        GTEST_SKIP() << "no virtual joystick under this SDL";
    openGamepads();
    startClearRound(1);
    const Uint8 keyboard[SDLK_LAST] = {};
    pad.setAxis(pad.joystick, 0, 30000);
    pad.setButton(pad.joystick, kPadFireButton, 1);
    const float start = tank[0].x;
    for (int pass = 0; pass < 20; ++pass) {
        pollEvents();
        logicPass(keysWithPads(keyboard), KMOD_NONE);
    }
    EXPECT_EQ(heldKeys(keysWithPads(keyboard)), "right space");
    EXPECT_GT(tank[0].x, start);
    EXPECT_TRUE(shot[0].active);
    pad.setAxis(pad.joystick, 0, 0);
    pad.setButton(pad.joystick, kPadFireButton, 0);
    pad.setHat(pad.joystick, 0, SDL_HAT_LEFT);
    pollEvents();
    EXPECT_EQ(heldKeys(keysWithPads(keyboard)), "left") << "the d-pad";
    pad.setHat(pad.joystick, 0, SDL_HAT_CENTERED);

    pad.setButton(pad.joystick, kPadStartButton, 1);
    pollEvents();
    EXPECT_TRUE(gameOver) << "Start acts as Escape";
    for (int button : {kPadFireButton, kPadStartButton})
        pad.setButton(pad.joystick, button, 0);
    pad.setAxis(pad.joystick, 0, 0);
    pollEvents();
}

}  // namespace
