// The game state: the program-wide mode flags, counters and gameplay records
// that every gameplay step reads and writes. Everything here lives for the
// whole run and is touched only by the main loop's thread. Units: positions
// in screen pixels (y downwards), speeds in pixels per pass, counters in
// passes, angles in degrees.
#pragma once

#include "hit_test.h"

#include <SDL.h>

#include <cstdint>

class Sprite;

// Sizes of the game's fixed populations.
constexpr int kPlayers = 2;
constexpr int kFormationRows = 6;
constexpr int kFormationColumns = 6;
constexpr int kAlienCount = kFormationRows * kFormationColumns;
constexpr int kShieldCount = 3;
constexpr int kDebrisPieces = 5;       // pieces thrown by one destruction
constexpr int kExplosionSlots = 5;     // alien explosions that can fly at once
constexpr int kTankWheels = 4;

// The values menuKeyLatch holds: free, or latched while a key that chose
// something is still held (SDLK_UP's value, used merely as a marker).
constexpr int32_t kKeyFree = 0;
constexpr int32_t kKeyLatched = 273;

// Values a game starts with.
constexpr int32_t kStartLives = 3;
// At load the credits start with line 1 (line 0 comes after line 6), and
// the level banner's fade step is this until the first level's set-up.
constexpr int32_t kLoadTitlePhase = 1;
constexpr float kLoadBannerFadeStep = 0.1f;

// ---- Modes and shared counters ------------------------------------------

extern bool menuActive;          // the pass runs the title menu, not the game
extern bool gameOver;            // a game is lost, won or abandoned; its end is running
extern int32_t roundPause;       // -1 while a round is played, else passes since it ended
extern uint32_t playerCount;     // 1 or 2
extern bool hallOfFameActive;    // the hall-of-fame screen is up
extern bool nameEntryActive;     // ... and it is taking a name
extern int32_t menuKeyLatch;     // kKeyFree, or kKeyLatched while a choosing key is held
extern uint32_t menuCursor;      // title-menu item 0..3
extern int32_t titlePhase;       // the credit line fading in, 0..6
extern int32_t level;            // 1..64
extern bool levelCleared;        // the formation was wiped out; the next round sets up a new level
extern int32_t lives;            // shared by both players
extern int32_t aliensAlive;      // 0..36
extern bool shieldsGone;         // the formation came low and knocked the shields away
extern bool gamePaused;          // a game is paused: passes run no step until it resumes
extern const Uint8* keyState;    // held keys this pass, indexed by SDL key symbol
extern SDLMod keyModifiers;      // modifier state this pass (Shift, Caps Lock, ...)
extern bool confirmKeySwitchedScreen;  // Return went down with Alt (a screen switch) and is still held
extern Sprite* levelBannerSprite;  // "LEVEL n"
extern float bannerFadeStep;     // opacity added to the level banner per playing pass
extern Sprite* endBanner;        // "Game Over" or "You Win" while gameOver

// The one reset of the game state: every field as loading leaves it, before
// the first level's set-up. Loading, the way back to the title menu after a
// game and the tests all run it. Of the sprites it only takes the end
// banner away; the scene's own are placed by the set-ups that follow.
//
// After a game the design keeps what of the last one still plays out on the
// title menu, or starts the next game: the round pause's count (so the next
// game's first pass starts its round at once), the number of players and
// their scores (player 1's until the hall of fame has taken it), the tanks
// and their skids, the shots, debris and explosions still flying, the
// mothership's place, the shields' drift and the credits' phase.
enum class Reset { kLoad, kAfterGame };
void resetGameState(Reset reset = Reset::kLoad);
// Stores a new end banner, destroying the one the slot held.
void setEndBanner(Sprite* banner);
// Is the key held in this pass's key state?
bool keyHeld(SDLKey key);
// Does a key that chose something still hold the menus' latch?
bool menuKeyIsLatched();

// ---- Tanks and shots ------------------------------------------------------

struct TankState {
    float x;               // left edge, 80..507
    float y;               // top, 432 for the whole game
    float vx;              // -2..2, a multiple of 0.03125
    double tilt;           // lean of body and bridge
    double tiltVel;        // rate of the lean's swing back
    uint32_t score;
    double tiltBurst;      // skid passes left: 80 at a skid's start, 0 = none
    int32_t tiltBurstDir;  // +1 skidding while still moving right, -1 left
    Quad outline;          // collision outline against the shields
    Sprite* tankWheelsSprite;               // wheel cover
    Sprite* tankWheelSprite[kTankWheels];   // road wheels, left to right
    Sprite* tankBodySprite;
    Sprite* tankBridgeSprite;
    Sprite* tankCannonSprite;
};

struct PlayerShot {
    double x;              // top-left
    double y;
    bool active;           // in the air
    double vy;             // -4 for the whole game
    Sprite* bulletSprite;  // hidden while the shot is not in the air
};

extern TankState tank[kPlayers];
extern PlayerShot shot[kPlayers];

// ---- The alien formation --------------------------------------------------

struct AlienRecord {
    double x;        // left edge, 0..613 once marching
    double y;        // top edge, negative while waiting above the screen
    int32_t alive;   // non-zero while the alien exists
    double alpha;    // opacity on the fading levels, 1 below them
};

extern AlienRecord alien[kAlienCount];           // row-major, row 0 at the top
extern Sprite* alienSprite[kAlienCount];
extern double marchSpeed;                        // sideways speed; its sign is the direction
extern double descentCounter;                    // 0 after each turn, grows to 33
extern bool formationArrived;                    // the entry is over
extern double entrySpeed[kFormationRows];        // downward speed of each row while entering
extern int32_t fireDivisor;                      // a column drops a flare with chance 1 in this
extern Sprite* alienBombSprite[kAlienCount];     // flares; in flight while visible

// ---- Destruction ----------------------------------------------------------

struct DebrisPiece {
    double dx;     // pixels per pass
    double dy;     // pixels per pass, positive downwards
    double life;   // passes left; 0 = at rest
};

struct Point {
    double x;
    double y;
};

extern int32_t explosionSlot;                                   // next alien explosion slot, 0..4
extern Point revealPoint;                                       // where the last kill happened, +10, +10
extern DebrisPiece tankDebris[kPlayers][kDebrisPieces];
extern Sprite* tankDebrisSprite[kPlayers][kDebrisPieces];       // never shown: carry the smoke
extern DebrisPiece alienDebris[kDebrisPieces][kExplosionSlots]; // [piece][slot]
extern Sprite* alienDebrisSprite[kDebrisPieces][kExplosionSlots];

// ---- The mothership -------------------------------------------------------

extern bool mothershipActive;
extern double mothershipX;                               // left edge
extern double mothershipY;                               // 20 once it has moved
extern Sprite* mothershipSprite;
extern DebrisPiece mothershipDebris[kDebrisPieces];
extern Sprite* mothershipDebrisSprite[kDebrisPieces];    // three hull pieces, two legs

// ---- Shields --------------------------------------------------------------

struct Shield {
    Sprite* shieldArcSprite;       // the bar; its position, rotation and spin are shield state
    Sprite* shieldBallSprite[2];   // left and right ball
    double vy;                     // vertical speed of the arc, positive downwards
    bool alive;                    // in play
    Quad outline;                  // collision outline, rebuilt every playing pass
};

extern Shield shield[kShieldCount];
extern double shieldDrift;          // sideways speed on drifting levels; only its sign changes
extern int32_t shieldPushStrength;  // how hard a flare presses a shield, 1 or 2
