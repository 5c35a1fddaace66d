#include "game_state.h"

#include "formation.h"
#include "levels.h"
#include "mothership.h"
#include "shields.h"
#include "shots.h"
#include "sprite.h"
#include "tank.h"

bool menuActive;
bool gameOver;
int32_t roundPause;
uint32_t playerCount;
bool hallOfFameActive;
bool nameEntryActive;
int32_t menuKeyLatch;
uint32_t menuCursor;
int32_t titlePhase;
int32_t level;
bool levelCleared;
int32_t lives;
int32_t aliensAlive;
bool shieldsGone;
bool gamePaused;
const Uint8* keyState;
SDLMod keyModifiers;
bool confirmKeySwitchedScreen = false;
Sprite* levelBannerSprite;
float bannerFadeStep;
Sprite* endBanner;

TankState tank[kPlayers];
PlayerShot shot[kPlayers];

AlienRecord alien[kAlienCount];
Sprite* alienSprite[kAlienCount];
double marchSpeed;
double descentCounter;
bool formationArrived;
double entrySpeed[kFormationRows];
int32_t fireDivisor;
Sprite* alienBombSprite[kAlienCount];

int32_t explosionSlot;
Point revealPoint;
DebrisPiece tankDebris[kPlayers][kDebrisPieces];
Sprite* tankDebrisSprite[kPlayers][kDebrisPieces];
DebrisPiece alienDebris[kDebrisPieces][kExplosionSlots];
Sprite* alienDebrisSprite[kDebrisPieces][kExplosionSlots];

bool mothershipActive;
double mothershipX;
double mothershipY;
Sprite* mothershipSprite;
DebrisPiece mothershipDebris[kDebrisPieces];
Sprite* mothershipDebrisSprite[kDebrisPieces];

Shield shield[kShieldCount];
double shieldDrift;
int32_t shieldPushStrength;

void setEndBanner(Sprite* banner)
{
    delete endBanner;
    endBanner = banner;
}

bool keyHeld(SDLKey key)
{
    return keyState[key] != 0;
}

bool menuKeyIsLatched()
{
    return menuKeyLatch != kKeyFree;
}

namespace {

// What a game leaves behind that the title menu still shows or the next
// game starts from (game_state.h says which): reset only at load.
void resetWhatAGameLeaves()
{
    roundPause = -1;
    playerCount = 2;
    titlePhase = kLoadTitlePhase;

    for (int p = 0; p < kPlayers; ++p) {
        TankState& t = tank[p];
        t.x = p == 0 ? kOnePlayerStartX : kTwoPlayerStartX[1];
        t.y = kTankTop;
        t.vx = 0.0f;
        t.tilt = t.tiltVel = 0.0;
        t.score = 0;
        t.tiltBurst = 0.0;
        t.tiltBurstDir = 0;
        t.outline.y[0] = t.outline.y[1] = kOutlineTopY;
        t.outline.y[2] = t.outline.y[3] = kOutlineBottomY;
        shot[p].x = shot[p].y = 0.0;
        shot[p].active = false;
        shot[p].vy = kShotSpeed;
    }

    explosionSlot = 0;
    revealPoint = {0.0, 0.0};
    for (int i = 0; i < kDebrisPieces; ++i) {
        for (int p = 0; p < kPlayers; ++p)
            tankDebris[p][i] = {};
        for (int s = 0; s < kExplosionSlots; ++s)
            alienDebris[i][s] = {};
        mothershipDebris[i] = {};
    }

    mothershipX = kMothershipEntryX;
    mothershipY = 0.0;
    shieldDrift = -kShieldDriftSpeed;
}

}  // namespace

void resetGameState(Reset reset)
{
    if (reset == Reset::kLoad)
        resetWhatAGameLeaves();

    menuActive = true;
    gameOver = false;
    hallOfFameActive = false;
    nameEntryActive = false;
    menuKeyLatch = kKeyFree;
    menuCursor = 0;
    level = 1;
    levelCleared = false;
    lives = kStartLives;
    aliensAlive = kAlienCount;
    shieldsGone = false;
    gamePaused = false;
    bannerFadeStep = kLoadBannerFadeStep;
    setEndBanner(nullptr);

    marchSpeed = kStartMarchSpeed;
    descentCounter = kStartDescentCounter;
    formationArrived = false;
    for (double& speed : entrySpeed)
        speed = 0.0;
    fireDivisor = kSlowFireDivisor;

    mothershipActive = false;

    for (Shield& s : shield) {
        s.vy = 0.0;
        s.alive = true;
    }
    shieldPushStrength = kSlowPushStrength;
}
