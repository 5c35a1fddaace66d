#include "title_menu.h"

#include "effect_pools.h"
#include "formation.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "hud.h"
#include "keys.h"
#include "levels.h"
#include "mothership.h"
#include "name_entry.h"
#include "samples.h"
#include "scene.h"
#include "shutdown.h"
#include "shields.h"
#include "sprite.h"
#include "tank.h"

namespace {

constexpr double kCreditFadeStep = 0.01;

// The end, once this pass is over.
void quitGame()
{
    requestShutDown(0);
}

void showPlayerLabels(bool twoPlayers)
{
    p1ScoreLabelSprite->visible = !twoPlayers;
    p1ScoreLabelSprite2->visible = twoPlayers;
    p2ScoreLabelSprite->visible = twoPlayers;
    leftPanelSprite->visible = twoPlayers;
}

void startOnePlayer()
{
    menuActive = false;
    playerCount = 1;
    showTank(0);
    showPlayerLabels(false);
    tank[0].x = kOnePlayerStartX;
    startPlay();
}

void startTwoPlayers()
{
    menuActive = false;
    playerCount = 2;
    showTank(0);
    showTank(1);
    showPlayerLabels(true);
    tank[0].x = kTwoPlayerStartX[0];
    tank[1].score = 0;
    for (Sprite* digit : p2ScoreDigitSprite)
        digit->show();
    startPlay();
}

void openHallOfFame()
{
    hallOfFameActive = true;
    showHallOfFame();
    menuKeyLatch = kKeyLatched;
}

// Up, Down and Space on the menu itself.
void menuKeys()
{
    if (keyHeld(kMenuUpKey) && !menuKeyIsLatched() && menuCursor != kOnePlayer) {
        menuKeyLatch = kKeyLatched;
        --menuCursor;
        highlightMenuItem();
    } else {
        if (keyHeld(kMenuDownKey) && !menuKeyIsLatched() && menuCursor < kQuit) {
            menuKeyLatch = kKeyLatched;
            ++menuCursor;
            highlightMenuItem();
        }
        if (!keyHeld(kMenuDownKey) && !keyHeld(kMenuUpKey) && !keyHeld(kChooseKey))
            menuKeyLatch = kKeyFree;
    }
    // Quit does not wait for the latch: Space held while the cursor
    // arrives on it quits at once.
    if (keyHeld(kChooseKey) && menuCursor == kQuit)
        quitGame();
    if (keyHeld(kChooseKey) && !menuKeyIsLatched()) {
        if (menuCursor == kOnePlayer)
            startOnePlayer();
        if (menuCursor == kTwoPlayer)
            startTwoPlayers();
        if (menuCursor == kHallOfFame)
            openHallOfFame();
    }
}

// Space leaves the screen once it is released and pressed again; while it
// is held, name entry pauses.
void hallOfFameKeys()
{
    if (keyHeld(kChooseKey) && !menuKeyIsLatched() && backSprite->visible) {
        closeHallOfFame();
        resetToTitleMenu();
        highlightMenuItem();
    }
    if (hallOfFameActive && !keyHeld(kChooseKey)) {
        if (nameEntryActive)
            nameEntryStep();
        else
            menuKeyLatch = kKeyFree;
    }
}

}  // namespace

void creditsStep()
{
    const int fadingOut = titlePhase == 0 ? kCreditLines - 1 : titlePhase - 1;
    Sprite* outgoing = creditSprite[fadingOut];
    Sprite* incoming = creditSprite[titlePhase];
    if (outgoing->alpha() > 0.0)
        outgoing->setAlpha(outgoing->alpha() - kCreditFadeStep);
    else
        incoming->setAlpha(incoming->alpha() + kCreditFadeStep);
    if (incoming->alpha() >= 1.0)
        titlePhase = titlePhase == kCreditLines - 1 ? 0 : titlePhase + 1;
}

void titleMenuStep()
{
    creditsStep();
    if (!hallOfFameActive)
        menuKeys();
    if (hallOfFameActive)
        hallOfFameKeys();
}

void highlightMenuItem()
{
    for (int i = 0; i < kMenuItems; ++i) {
        menuItemSprite[i]->show();
        menuItemHighlightSprite[i]->hide();
    }
    playEffect(menuSound);
    const uint32_t item = menuCursor <= kHallOfFame ? menuCursor : uint32_t(kQuit);
    menuItemSprite[item]->hide();
    menuItemHighlightSprite[item]->show();
}

void resetToTitleMenu()
{
    resetGame();
    menuActive = true;
    menuCursor = kOnePlayer;
    menuWindowSprite->show();
    menuShadeSprite->show();
    highlightMenuItem();
}

void backToTitleMenu()
{
    resetGameState(Reset::kAfterGame);
    mothershipOff();
    hideAllFlares();
    FSOUND_Stream_Stop(musicStream);
    resetToTitleMenu();
    for (uint32_t p = 0; p < playerCount; ++p)
        hideTank(int(p));
    shieldsBackToStart();
}

void titleMenuAsLoaded()
{
    if (hallOfFameActive)
        closeHallOfFame();
    resetNameEntry();
    resetGameState();
    backToTitleMenu();
    for (int p = 0; p < kPlayers; ++p)
        placeTankAsBuilt(p);
    showTank(0);
    for (const PlayerShot& s : shot)
        s.bulletSprite->hide();
    for (Sprite* piece : mothershipDebrisSprite)
        piece->hide();
    settleEffectPools();
    restartShieldAnimations();
}

void startPlay()
{
    for (int i = 0; i < kMenuItems; ++i) {
        menuItemSprite[i]->hide();
        menuItemHighlightSprite[i]->hide();
    }
    menuWindowSprite->hide();
    menuShadeSprite->hide();
    FSOUND_Stream_Stop(musicStream);
    FSOUND_SetVolume(FSOUND_Stream_Play(kMusicChannel, musicStream), kPlayMusicVolume);
    for (Sprite* line : creditSprite)
        line->setAlpha(0.0);
    titlePhase = 0;
}
