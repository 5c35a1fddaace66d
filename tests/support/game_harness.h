// The real game for tests: brought up once per process, its passes run with
// keys of the test's choosing, without the event poll or the pacing. Brings
// in the game's headers, so that a rule test needs little more.
#pragma once

#include "debris.h"
#include "formation.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "hit_test.h"
#include "hud.h"
#include "levels.h"
#include "main_loop.h"
#include "mothership.h"
#include "samples.h"
#include "scene.h"
#include "shields.h"
#include "shots.h"
#include "sprite.h"
#include "tank.h"
#include "texture.h"
#include "title_menu.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

// A keyboard: the keys held during a pass.
class Keys {
public:
    Keys() = default;
    Keys(std::initializer_list<SDLKey> held)
    {
        for (SDLKey key : held)
            hold(key);
    }
    Keys& hold(SDLKey key)
    {
        state_[key] = 1;
        return *this;
    }
    Keys& release(SDLKey key)
    {
        state_[key] = 0;
        return *this;
    }
    const Uint8* state() const { return state_; }

private:
    Uint8 state_[SDLK_LAST] = {};
};

// Builds the game once (display, sound, scene, title menu up).
void startGameHarness();

// Runs n passes with the given keys. With draw set, each pass also draws
// the scene (without pacing), which is what advances spins and animations.
void runPasses(int n, const Keys& keys = Keys(), bool draw = false, SDLMod modifiers = KMOD_NONE);
// One press: the keys held for a pass, then every key up for a pass.
void pressOnce(const Keys& keys, SDLMod modifiers = KMOD_NONE);
// A key event as the event poll hands it to the game (gameEvent).
SDL_Event keyEvent(Uint8 type, SDLKey key, SDLMod modifiers = KMOD_NONE);

// Back to the title menu as loading leaves it (titleMenuAsLoaded), the
// random generator seeded with `seed`.
void returnToTitleMenu(unsigned seed = 1);

// From the title menu, starts a game of one or two players through the menu
// itself and runs until the first playing pass is due.
void startNewGame(int players, unsigned seed = 1);

// A busy two-player scene: the formation marching, flares falling, both
// tanks skidding, debris smoking: with everyPiece all forty pieces (the
// worst the game makes), else the ship's and three aliens'.
void setUpBusyScene(unsigned seed = 7, bool everyPiece = true);
// Re-arms what a busy scene uses up (flares, debris, skids) without
// starting a new game.
void rearmBusyScene(bool everyPiece = true);

// Sets up level n the way the game does: the round start after a cleared
// level (one between-rounds pass at the end of the pause).
void playLevel(int n);

// Number of sprites in the scene list.
int sceneSpriteCount();

// ---- Set-ups and probes shared by the game-rule tests ----------------------

// startNewGame with a quiet sky: no column ever drops a flare (rand() % 1 is
// never 55) and no score earns a name when the game ends.
void startQuietGame(int players = 1, unsigned seed = 1);

// A round with an empty sky: every alien gone (aliensAlive left at 36, so no
// level ends), no shields, no flares, the formation standing still.
void startClearRound(int players, unsigned seed = 31);

// Alien i alive at (x, y); player p's shot in flight at (x, y); flare k
// falling from (x, y). Each is placed and shown as the game would.
void placeAlien(int i, double x, double y);
void placeShot(int p, double x, double y);
void placeFlare(int k, double x, double y);

// A bot's keys for the next pass: up to two keys a player could press, held
// for a while; never "Quit", which would end the process.
Keys botKeys(std::mt19937& random);

