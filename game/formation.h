// The alien formation: 36 aliens that enter from above row by row, march
// from side to side stepping down at each turn, speed up with every kill,
// drop flares from the bottom alien of each column, and on the highest
// levels fade out and show themselves only near explosions.
#pragma once

constexpr double kFormationRightLimit = 613.0;  // an alien's x at the right edge
constexpr double kMarchSpeedUp = 1.11;          // march speed factor per kill
constexpr int kFlareChance = 55;                // rand() % fireDivisor == this drops a flare

void formationEdgeTest();
void columnStep(int c);
void alienStep(int i);
void advanceDescent();
void flareStep(int k);
void revealNearAliens();
void hideAllFlares();
