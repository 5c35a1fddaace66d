// Levels, lives and the end of a game: setting up each level with its
// banner and difficulty, restarting play after each pause, the lives and
// score displays, the aliens' landing, and the reset for the next game.
#pragma once

#include <cstdint>

constexpr int32_t kLastLevel = 63;

// The flares' pace: on the slow levels a column drops a flare with a chance
// of one in 400 a pass and a flare pushes a shield with strength 1; on the
// fast ones 200 and 2.
constexpr int32_t kSlowFireDivisor = 400;
constexpr int32_t kFastFireDivisor = 200;
constexpr int32_t kSlowPushStrength = 1;
constexpr int32_t kFastPushStrength = 2;

// How a level's number sets its difficulty.
int levelFormationBase(int32_t level);     // 0, 54, 108 or 162 pixels lower
int levelFlareBand(int32_t level);         // 0..3: flare fall speed and weave
bool levelHasSlowFlares(int32_t level);    // fire divisor 400 and push 1, else 200 and 2
bool levelHasDriftingShields(int32_t level);
bool levelHasFadingAliens(int32_t level);

void showLevelBanner();
void bannerFade();
void startNextRound();
void aliensLanded();
void showScore(int player);
// Level 1 set up again with three lives, the music playing and the score
// displays cleared, for the next game; the title menu then comes up
// (resetToTitleMenu, in the front end).
void resetGame();

// Rebuilds the lives digit from the lives left.
void showLives();
// A fresh end banner ("Game Over" or "You Win") at opacity 0.
void makeEndBanner(bool won);
