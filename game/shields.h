// Shields: three sprung bars with a ball at each end, floating above the
// tanks. Every hit pushes one; on some levels they drift sideways together;
// when the formation comes low they are knocked away until the next level.
#pragma once

constexpr double kShieldRestY = 400.0;

void driftShields();
void moveShield(int s);

void shieldHitFromBelow(int s, double x);
void shieldHitFromAbove(int s, double x);
void shieldRammed(int s);

// Flare k against the living shields.
void flareAgainstShields(int k);
void shieldsDownTrigger();

// Placements: at a round start, at a level's set-up, at the end of a game.
void shieldsRoundStart();
void shieldsLevelSetUp();
void shieldsBackToStart();
