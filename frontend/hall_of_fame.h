// The hall of fame: the ten best one-player scores with a name each, its
// 160-byte file, and the screen that shows it over the title menu's window.
#pragma once

#include <cstdint>

constexpr int kHallOfFameEntries = 10;
constexpr int kNameFieldSize = 12;

// Exit code when the file cannot be read at load or written after an entry.
constexpr int kHallOfFameFileFailureExit = 555;

// One entry, 16 bytes in memory and in the file alike: a name NUL-terminated
// within its 12 bytes (a name from a damaged file may fill all 12), then
// the score, unsigned 32-bit little-endian.
struct HallOfFameEntry {
    char name[kNameFieldSize];
    uint32_t score;
};

// Index 0 the best; kept in non-increasing score order by the insertion.
extern HallOfFameEntry hallOfFame[kHallOfFameEntries];

// The file's game path, "media\font\scores.txt" unless changed (the tests
// point it at files of their own so they never touch a player's scores).
void setHallOfFamePath(const char* gamePath);

// Reads "media\font\scores.txt" into the table (ends with exit code 555
// when it cannot be opened or read); a short file leaves the rest as it
// was, and bytes past the 160th are ignored.
void readHallOfFame();
// Writes the whole table back: into "<file>.new" beside it, flushed to the
// disk, then renamed over the file. Ends with exit code 555 when that fails,
// leaving the old file whole.
void saveHallOfFame();
// Records a new entry in the file as it is now: under a lock on
// "<file>.lock" beside it, so that two games of one player take turns, the
// table is read again from the file (the other game may have saved since
// this one read it), the entry is inserted into that, and the whole table
// saved as above. A score that no longer earns a place is not inserted.
// The table in memory is then the one saved.
void recordInHallOfFame(uint32_t score, const char* name);
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
