#include "game_state.h"

#include "sprite.h"

bool menuActive = true;
bool gameOver = false;
int32_t roundPause = -1;
uint32_t playerCount = 2;
bool hallOfFameActive = false;
bool nameEntryActive = false;
int32_t menuKeyLatch = 0;
uint32_t menuCursor = 0;
int32_t titlePhase = 0;
int32_t level = 1;
bool levelCleared = false;
int32_t lives = 3;
int32_t aliensAlive = 36;
bool shieldsGone = false;
bool gamePaused = false;
const Uint8* keyState = nullptr;
SDLMod keyModifiers = KMOD_NONE;
Sprite* levelBannerSprite = nullptr;
float bannerFadeStep = 0.1f;
Sprite* endBanner = nullptr;

TankState tank[kPlayers];
PlayerShot shot[kPlayers];

AlienRecord alien[kAlienCount];
Sprite* alienSprite[kAlienCount];
double marchSpeed = -0.17;
double descentCounter = 46.0;
bool formationArrived = false;
double entrySpeed[kFormationRows];
int32_t fireDivisor = 400;
Sprite* alienBombSprite[kAlienCount];

int32_t explosionSlot = 0;
Point revealPoint = {0.0, 0.0};
DebrisPiece tankDebris[kPlayers][kDebrisPieces];
Sprite* tankDebrisSprite[kPlayers][kDebrisPieces];
DebrisPiece alienDebris[kDebrisPieces][kExplosionSlots];
Sprite* alienDebrisSprite[kDebrisPieces][kExplosionSlots];

bool mothershipActive = false;
double mothershipX = -50.0;
double mothershipY = 0.0;
Sprite* mothershipSprite = nullptr;
DebrisPiece mothershipDebris[kDebrisPieces];
Sprite* mothershipDebrisSprite[kDebrisPieces];

Shield shield[kShieldCount];
double shieldDrift = -1.0;
int32_t shieldPushStrength = 1;

void setEndBanner(Sprite* banner)
{
    delete endBanner;
    endBanner = banner;
}
