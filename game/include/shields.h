// Shields: three sprung bars with a ball at each end, floating above the
// tanks. Every hit pushes one; on some levels they drift sideways together;
// when the formation comes low they are knocked away until the next level.
#pragma once

struct Shield;

constexpr double kShieldRestY = 400.0;
// Where each level sets the arcs up, and a game's end puts them back.
constexpr double kShieldStartX[3] = {140.0, 290.0, 440.0};
// The drift's speed on the drifting levels; only its sign ever changes.
constexpr double kShieldDriftSpeed = 1.0;

void driftShields();
void moveShield(int s);

void shieldHitFromBelow(int s, double x);
void shieldHitFromAbove(int s, double x);
void shieldRammed(int s);

// Flare k against the living shields.
void flareAgainstShields(int k);
void shieldsDownTrigger();

// The shield's balls level with its unturned arc, at rest height.
void placeBallsLevel(Shield& s);
// Placements: at a round start, at a level's set-up, at the end of a game.
void shieldsRoundStart();
void shieldsLevelSetUp();
void shieldsBackToStart();
