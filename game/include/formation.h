// The alien formation: 36 aliens that enter from above row by row, march
// from side to side stepping down at each turn, speed up with every kill,
// drop flares from the bottom alien of each column, and on the highest
// levels fade out and show themselves only near explosions.
#pragma once

constexpr double kFormationRightLimit = 613.0;  // an alien's x at the right edge
constexpr double kMarchSpeedUp = 1.11;          // march speed factor per kill
constexpr int kFlareChance = 55;                // rand() % fireDivisor == this drops a flare

// Each level's formation starts marching left at this speed; the descent
// counter starts the game (at load) already past the edge test's distance.
constexpr double kStartMarchSpeed = -0.17;
constexpr double kStartDescentCounter = 46.0;

// The formation's shape: columns 74 apart from x 120, rows 32 apart. At a
// level's set-up the top row waits 50 pixels above the screen, the others
// above it; they come down to rest with the bottom row at y 207. Both
// heights are the level's base lower (levelFormationBase).
constexpr double kFormationLeftX = 120.0;
constexpr double kColumnSpacing = 74.0;
constexpr double kRowSpacing = 32.0;
constexpr double kStartHeight = 50.0;
constexpr double kBottomRowRestY = 207.0;
// The row coming down moves this fast; the bottom row starts.
constexpr double kEntryRowSpeed = 6.0;

// Where alien (row, column) waits at the start of the current level.
double alienStartX(int column);
double alienStartY(int row);

void formationEdgeTest();
void columnStep(int c);
void alienStep(int i);
void advanceDescent();
void flareStep(int k);
void revealNearAliens();
void hideAllFlares();
