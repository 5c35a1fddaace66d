#include "main_loop.h"

#include "bullet_trail.h"
#include "debris.h"
#include "debris_smoke.h"
#include "depths.h"
#include "display.h"
#include "formation.h"
#include "game_state.h"
#include "gamepad.h"
#include "hall_of_fame.h"
#include "keys.h"
#include "levels.h"
#include "mothership.h"
#include "pause.h"
#include "samples.h"
#include "settings.h"
#include "shields.h"
#include "shots.h"
#include "shutdown.h"
#include "skid_dust.h"
#include "sprite.h"
#include "tank.h"
#include "title_menu.h"

namespace {

constexpr double kSkidEmitLimit = 40.0;  // a skid throws up dust while above this
constexpr double kEndBannerFadeStep = 0.01;

void skidDustStep(int p)
{
    TankState& t = tank[p];
    if (t.tiltBurst != 0.0 && t.tiltBurstDir == +1) {
        const Sprite* wheel = t.tankWheelSprite[0];
        updateSkidDust(wheel->x(), wheel->y(), kEffectDepth, t.tiltBurst > kSkidEmitLimit, p);
        t.tiltBurst -= 1.0;
    }
    if (t.tiltBurst != 0.0 && t.tiltBurstDir == -1) {
        const Sprite* wheel = t.tankWheelSprite[3];
        updateSkidDust(wheel->x(), t.tankWheelSprite[0]->y(), kEffectDepth, t.tiltBurst > kSkidEmitLimit, p);
        t.tiltBurst -= 1.0;
    }
}

}  // namespace

void logicPass(const Uint8* keys, SDLMod modifiers)
{
    // A paused game runs no step at all: no rule, no effect, no random draw.
    if (gamePaused)
        return;
    keyState = keys;
    keyModifiers = modifiers;
    if (menuActive)
        titleMenuStep();
    else
        gameStep();
    effectStep();
}

void gameStep()
{
    if (!gameOver && roundPause == -1)
        playingPass();
    else
        betweenRoundsPass();
}

// The order matters throughout: a step that ends the round or the game does
// not cut the pass short; the change of mode takes effect at the next pass.
void playingPass()
{
    bannerFade();
    if (playerCount == 2)
        bumpTanks();
    driveTank(0);
    if (playerCount == 2)
        driveTank(1);

    driftShields();
    for (int s = 0; s < kShieldCount; ++s)
        moveShield(s);

    // The shot flies before the tank's parts are placed, and the tank's
    // outline is rebuilt before it is tested against the shields.
    for (uint32_t p = 0; p < playerCount; ++p) {
        shotFlight(int(p));
        placeTankParts(int(p));
        tankShieldContact(int(p));
    }

    formationEdgeTest();
    for (int c = 0; c < kFormationColumns; ++c)
        columnStep(c);
    for (int i = 0; i < kAlienCount; ++i)
        alienStep(i);
    advanceDescent();
    for (int k = 0; k < kAlienCount; ++k)
        flareStep(k);

    mothershipStep();
}

// Between rounds the formation, the tanks and the shots stand still; only
// the counter, the shields' spin and the effects move.
void betweenRoundsPass()
{
    ++roundPause;
    for (Shield& s : shield)
        s.shieldArcSprite->spin = 0.0;
    if (roundPause >= kRoundPausePasses && !gameOver)
        startNextRound();
    if (roundPause >= kGameEndPasses && gameOver)
        finishGame();
    else if (gameOver)
        endBanner->setAlpha(endBanner->alpha() + kEndBannerFadeStep);
}

// Piece by piece, in a fixed order: the tanks', the mothership's, then the
// alien explosion slots'. The smoke of each follows its move at once.
void debrisStep()
{
    for (int i = 0; i < kDebrisPieces; ++i) {
        for (uint32_t p = 0; p < playerCount; ++p)
            flyDebris(tankDebris[p][i], tankDebrisSprite[p][i], true, [&](double x, double y, bool emit) {
                updateTankDebrisSmoke(x, y, kEffectDepth, emit, i, int(p));
            });
        flyDebris(mothershipDebris[i], mothershipDebrisSprite[i], true, [&](double x, double y, bool emit) {
            updateMothershipDebrisSmoke(x, y, kEffectDepth, emit, i);
        });
        for (int s = 0; s < kExplosionSlots; ++s)
            flyDebris(alienDebris[i][s], alienDebrisSprite[i][s], false, [&](double x, double y, bool emit) {
                updateAlienDebrisSmoke(x, y, kEffectDepth, emit, i, s);
            });
    }
}

void effectStep()
{
    for (int p = 0; p < kPlayers; ++p)
        updateBulletTrail(shot[p].x, shot[p].y, kEffectDepth, shot[p].active, p);
    for (int p = 0; p < kPlayers; ++p)
        skidDustStep(p);
    debrisStep();
}

void escapeKeyPressed()
{
    if (menuActive)
        return;
    // A paused game is let go first, so that its end runs as it always does.
    resumeGame();
    escapeSequence();
}

void gameEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN: {
        const SDLKey key = event.key.keysym.sym;
        if (key == pauseKey())
            pauseKeyPressed();
        else if ((key == kFullScreenKeys[0] || key == kFullScreenKeys[1]) && (event.key.keysym.mod & kFullScreenModifier)) {
            toggleFullScreen();
            // Return is also name entry's key: this press switches the
            // screen and does nothing else, however long it is held.
            confirmKeySwitchedScreen = confirmKeySwitchedScreen || key == kConfirmKey;
        } else {
            settingKeyPressed(key);
        }
        break;
    }
    case SDL_KEYUP:
        if (event.key.keysym.sym == kConfirmKey)
            confirmKeySwitchedScreen = false;
        break;
    case SDL_ACTIVEEVENT:
        // Losing the keyboard or being minimised; the mouse leaving is harmless.
        if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
            pauseGame();
        break;
    case SDL_JOYBUTTONDOWN:
        if (isPadEscape(event.jbutton))
            escapeKeyPressed();
        break;
    default:
        break;
    }
}

void installEventHandlers()
{
    setEscapeHandler(escapeKeyPressed);
    setEventHandler(gameEvent);
}

void escapeSequence()
{
    gameOver = true;
    makeEndBanner(false);
    roundPause = 0;
    levelBannerSprite->hide();
    FSOUND_StopSound(FSOUND_ALL);
}

void finishGame()
{
    backToTitleMenu();
    menuKeyLatch = kKeyLatched;
    if (playerCount == 1 && qualifiesForHallOfFame(tank[0].score)) {
        hallOfFameActive = true;
        nameEntryActive = true;
        showHallOfFame();
    } else {
        tank[0].score = 0;
    }
    gameOver = false;
}

void runMainLoop()
{
    installEventHandlers();
    openGamepads();
    acceptShutDownRequests();
    for (;;) {
        if (pollEvents())
            shutDown(0);
        logicPass(keysWithPads(SDL_GetKeyState(nullptr)), SDL_GetModState());
        if (const std::optional<int> exitCode = takeShutDownRequest())
            shutDown(*exitCode);
    }
}
