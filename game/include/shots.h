// Shots and hits: what the players' shots and the aliens' flares strike,
// and what each destruction does (debris, sound, score, lives, level end).
#pragma once

constexpr double kShotSpeed = -4.0;  // a shot rises 4 pixels a pass

constexpr int kNoShield = -1;
constexpr int kNoFlare = -1;
constexpr int kByShield = -1;  // an alien destroyed by running into a shield

struct PlayerShot;

// Where a shot is tested against each kind of target: two columns and two
// rows of its image, from its top-left. A shield meets the box they span;
// an alien or the mothership is touched if either column and either row lies
// within it.
enum class ShotTarget { kShield, kAlien, kMothership };
struct ShotHitPoints {
    double left, right, top, bottom;
};
ShotHitPoints shotHitPoints(const PlayerShot& s, ShotTarget target);

void shotFlight(int p);
void tankShieldContact(int p);
void shotHitsAlien(int i);
void flareHitsTank(int k);

// A tank is destroyed by touching shield s, or by flare k.
void destroyTank(int p, int shieldIndex, int flareIndex);
// Alien i is destroyed by player `by`'s shot, or by a shield (kByShield).
void destroyAlien(int i, int by);
