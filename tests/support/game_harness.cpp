#include "game_harness.h"

#include "display.h"
#include "settings.h"
#include "shutdown.h"
#include "startup.h"
#include "test_display.h"
#include "test_images.h"

#include <cstdlib>

namespace {

// The tests' own hall-of-fame file, so that no test ever touches a player's
// scores in the run directory.
void useScratchHallOfFame()
{
    static std::string path = scratchDirectory() + "/scores.txt";
    writeText(path, std::string(160, '\0'));
    setHallOfFamePath(path.c_str());
}

}  // namespace

void startGameHarness()
{
    static bool started = false;
    if (started)
        return;
    // SDL's silent driver, whatever the environment names: a real mixer on
    // any machine, so that playing and held channels count as in a game
    // with sound and the replay's record holds everywhere.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // Every setting at its default, whatever the tester keeps; a change
    // made by a test goes to a file of the tests' own.
    loadSettings(scratchDirectory() + "/korvath.conf");
    applySoundSettings();
    ensureDisplay();
    initSound();
    useScratchHallOfFame();
    buildScene();
    makeSettingNotices();
    // Passes run here as the main loop runs them: a request to end is the
    // tests' to take (takeShutDownRequest), not an end of the test binary.
    acceptShutDownRequests();
    started = true;
}

void runPasses(int n, const Keys& keys, bool draw, SDLMod modifiers)
{
    for (int i = 0; i < n; ++i) {
        if (draw)
            drawScene();
        logicPass(keys.state(), modifiers);
    }
}

void pressOnce(const Keys& keys, SDLMod modifiers)
{
    runPasses(1, keys, false, modifiers);
    runPasses(1);
}

SDL_Event keyEvent(Uint8 type, SDLKey key, SDLMod modifiers)
{
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

void returnToTitleMenu(unsigned seed)
{
    startGameHarness();
    titleMenuAsLoaded();
    std::srand(seed);
}

void startNewGame(int players, unsigned seed)
{
    returnToTitleMenu(seed);
    if (players == 2)
        runPasses(1, Keys{SDLK_DOWN});
    runPasses(1);                  // release: the latch opens
    runPasses(1, Keys{SDLK_SPACE});  // chosen: the menu goes
    roundPause = kGameEndPasses;   // as after any earlier game
    runPasses(1);                  // the round starts
    std::srand(seed);
}

void playLevel(int n)
{
    level = n;
    levelCleared = true;
    roundPause = kRoundPausePasses - 1;
    runPasses(1);
}

int sceneSpriteCount()
{
    int n = 0;
    for (Sprite* s = sceneHead; s; s = s->next)
        ++n;
    return n;
}

void rearmBusyScene(bool everyPiece)
{
    for (int k = 0; k < kAlienCount; ++k) {
        // Columns of flares between the tanks, high enough to fall for a while.
        alienBombSprite[k]->setPosition(200.0 + 6.0 * k, 60.0 + 4.0 * (k % 9), kFlareDepth);
        alienBombSprite[k]->show();
    }
    const int alienExplosions = everyPiece ? kExplosionSlots : 3;
    for (int i = 0; i < kDebrisPieces; ++i) {
        for (int p = 0; p < kPlayers && everyPiece; ++p)
            launchDebris(tankDebris[p][i], tankDebrisSprite[p][i], 150.0 + 300.0 * p, 300.0, 0.5 * i - 1, -2.0 - i);
        launchDebris(mothershipDebris[i], mothershipDebrisSprite[i], 320.0, 40.0, 2.0 - i, -1.0);
        mothershipDebrisSprite[i]->show();
        for (int s = 0; s < alienExplosions; ++s)
            launchDebris(alienDebris[i][s], alienDebrisSprite[i][s], 100.0 + 100.0 * s, 150.0, 0.3 * i, -i);
    }
    for (int p = 0; p < kPlayers; ++p) {
        tank[p].tiltBurst = 80.0;
        tank[p].tiltBurstDir = p == 0 ? 1 : -1;
    }
}

void setUpBusyScene(unsigned seed, bool everyPiece)
{
    startNewGame(2, seed);
    // The formation in place, marching.
    for (int r = 0; r < kFormationRows; ++r) {
        entrySpeed[r] = 0.0;
        for (int c = 0; c < kFormationColumns; ++c) {
            AlienRecord& a = alien[r * kFormationColumns + c];
            a.x = 120.0 + 74.0 * c;
            a.y = 53.0 + 32.0 * r;
        }
    }
    formationArrived = true;
    descentCounter = 20.0;
    fireDivisor = 1 << 30;  // no new flares: the re-armed ones are the load
    rearmBusyScene(everyPiece);
}

void startQuietGame(int players, unsigned seed)
{
    hallOfFame[kHallOfFameEntries - 1].score = 1000000;
    startNewGame(players, seed);
    fireDivisor = 1;
}

void startClearRound(int players, unsigned seed)
{
    startNewGame(players, seed);
    for (int i = 0; i < kAlienCount; ++i) {
        alien[i].alive = 0;
        alienSprite[i]->hide();
    }
    for (Shield& s : shield)
        s.alive = false;
    for (double& speed : entrySpeed)
        speed = 0.0;
    formationArrived = false;
    fireDivisor = 1 << 30;
}

void placeAlien(int i, double x, double y)
{
    alien[i].x = x;
    alien[i].y = y;
    alien[i].alive = 1;
    alienSprite[i]->setPosition(x, y, kAlienDepth);
    alienSprite[i]->show();
}

void placeShot(int p, double x, double y)
{
    shot[p] = {x, y, true, shot[p].vy, shot[p].bulletSprite};
    shot[p].bulletSprite->setPosition(x, y, kShotDepth);
    shot[p].bulletSprite->show();
}

void placeFlare(int k, double x, double y)
{
    alienBombSprite[k]->setPosition(x, y, kFlareDepth);
    alienBombSprite[k]->show();
}

Keys botKeys(std::mt19937& random)
{
    static const SDLKey kPool[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_a,  SDLK_d,      SDLK_LCTRL,     SDLK_UP,
                                   SDLK_DOWN, SDLK_b,     SDLK_z,     SDLK_q,  SDLK_RETURN, SDLK_BACKSPACE, SDLK_LSHIFT};
    static Keys held;
    static int holdFor = 0;
    if (holdFor-- == 0) {
        held = Keys();
        for (int i = int(random() % 3); i > 0; --i)
            held.hold(kPool[random() % (sizeof kPool / sizeof kPool[0])]);
        holdFor = int(random() % 40);
    }
    Keys keys = held;
    if (menuActive && !hallOfFameActive && (menuCursor >= 2 || keys.state()[SDLK_DOWN]))
        keys.release(SDLK_SPACE);
    return keys;
}
