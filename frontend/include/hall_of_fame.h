// The hall of fame: the ten best one-player scores with a name each, and
// the screen that shows it over the title menu's window. Its file is
// hall_of_fame_file.h's.
#pragma once

#include "hall_of_fame_file.h"

#include <cstdint>

constexpr int kHallOfFameEntries = 10;
constexpr int kNameFieldSize = 12;

// One entry, 16 bytes in memory and in the file alike: a name NUL-terminated
// within its 12 bytes (a name from a damaged file may fill all 12), then
// the score, unsigned 32-bit little-endian.
struct HallOfFameEntry {
    char name[kNameFieldSize];
    uint32_t score;
};

// Index 0 the best; kept in non-increasing score order by the insertion.
extern HallOfFameEntry hallOfFame[kHallOfFameEntries];

// Does a one-player score earn a place?
bool qualifiesForHallOfFame(uint32_t score);
// Inserts a qualifying score with a name from the bottom: the newest of
// equal scores ranks first and the old tenth drops out.
void insertIntoHallOfFame(uint32_t score, const char* name);

// The row of the name prompt, which the typed name shares.
constexpr double kPromptRowY = 350.0;

// The screen: the ten names and scores, and "Back" or the name prompt.
void showHallOfFame();
void closeHallOfFame();
// Where the "Enter your name" prompt ends on screen (0 when it is not up),
// so the typed name can stand clear of it.
double promptRightEdge();
