#include "draw_scenes.h"

#include "display.h"
#include "game_harness.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "main_loop.h"
#include "name_entry.h"
#include "scene.h"
#include "sprite.h"
#include "text_sprites.h"
#include "texture.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kRearmEvery = 150;  // passes before the flares and debris run out
constexpr double kLoadingFade = 0.5;

const Keys kFiring{SDLK_SPACE, SDLK_LCTRL};

// Passes drawn as the game draws them, so spins and animations move.
void play(int passes, const Keys& keys = Keys())
{
    runPasses(passes, keys, true);
}

// Both players firing; what the busy scene uses up is re-armed now and then.
template <bool everyPiece>
void busyStep()
{
    static int passes = 0;
    runPasses(1, kFiring);
    if (++passes % kRearmEvery == 0)
        rearmBusyScene(everyPiece);
}

// ---- The moments -------------------------------------------------------------

// The loading screen fading out over the built scene: the cover, the studio
// address and "Game Loading..." half gone.
struct LoadingScreen {
    Texture* coverTexture = nullptr;
    Sprite* cover = nullptr;
    Texture* textTexture[2] = {};
    Sprite* text[2] = {};
} loading;

void setUpLoading()
{
    returnToTitleMenu(3);
    loading.coverTexture = new Texture("media\\windows\\window_bg.bmp");
    loading.cover = new Sprite(0, 0, 99.99, loading.coverTexture);
    loading.cover->setScale(640, 480);
    loading.cover->setPosition(0, 0, 99.99);
    loading.cover->setAlpha(kLoadingFade);
    const char* const lines[2] = {"korvath.example", "Game Loading..."};
    const double y[2] = {450, 220};
    for (int i = 0; i < 2; ++i) {
        Texture* t = loading.textTexture[i] = makeTextTexture(lines[i], kBannerPoints, 40, -4);
        loading.text[i] = makeAdditiveSprite(t, centredX(t->imageWidth()), y[i], 100.0);
        loading.text[i]->setAlpha(kLoadingFade);
    }
}

void tearDownLoading()
{
    for (int i = 0; i < 2; ++i) {
        delete loading.text[i];
        delete loading.textTexture[i];
    }
    delete loading.cover;
    delete loading.coverTexture;
    loading = LoadingScreen();
}

// The title menu with the cursor on "Hall Of Fame" and a credit line fading.
void setUpTitleMenu()
{
    returnToTitleMenu(5);
    play(1, Keys{SDLK_DOWN});
    play(1);
    play(1, Keys{SDLK_DOWN});
    play(150);
}

// The settled title menu just after the cursor moved back up: what the kept
// picture of the calm screen held has changed under it.
void setUpMenuMoved()
{
    setUpTitleMenu();
    play(1, Keys{SDLK_UP});
}

template <bool everyPiece>
void setUpBusy()
{
    setUpBusyScene(7, everyPiece);
    play(40, kFiring);
}

// A one-player game has just ended with a score for the table, and the
// player has typed "Korv".
void setUpHallOfFame()
{
    returnToTitleMenu(9);
    resetNameEntry();
    for (int i = 0; i < kHallOfFameEntries; ++i) {
        std::memset(hallOfFame[i].name, 0, kNameFieldSize);
        std::snprintf(hallOfFame[i].name, kNameFieldSize, "Pilot%d", i);
        hallOfFame[i].score = 9000 - 800 * i;
    }
    playerCount = 1;
    tank[0].score = 4500;
    finishGame();
    play(1);
    const Keys letters[4] = {Keys{SDLK_k, SDLK_LSHIFT}, Keys{SDLK_o}, Keys{SDLK_r}, Keys{SDLK_v}};
    for (const Keys& letter : letters) {
        play(1, letter);
        play(1);
    }
    play(30);
}

// "LEVEL 5" half faded in over a new round.
void setUpLevelBanner()
{
    startNewGame(1, 13);
    playLevel(5);
    play(50);
}

// "Game Over" fading in after Escape, over a game in progress.
void setUpEndBanner()
{
    setUpBusyScene(17, false);
    play(30, kFiring);
    escapeSequence();
    play(60);
}

void quietStep()
{
    runPasses(1);
}

}  // namespace

const DrawScene drawScenes[kDrawScenes] = {
    {"loading screen", setUpLoading, quietStep, tearDownLoading},
    {"title menu", setUpTitleMenu, quietStep, nullptr},
    {"hectic", setUpBusy<false>, busyStep<false>, nullptr},
    {"worst", setUpBusy<true>, busyStep<true>, nullptr},
    {"hall of fame", setUpHallOfFame, quietStep, nullptr},
    {"level banner", setUpLevelBanner, quietStep, nullptr},
    {"end banner", setUpEndBanner, quietStep, nullptr},
    {"menu moved", setUpMenuMoved, quietStep, nullptr},
};
