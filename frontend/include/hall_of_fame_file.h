// The hall of fame's file: the 160-byte table at "media\font\scores.txt",
// read at load and saved after each new entry.
//
// The file is the player's, and may meet anything: it is read only when it
// is a regular file (a FIFO, device, socket or folder there is a failed
// load, never a hang), a save never writes through a link, and two games
// saving one table take turns by a lock beside it. A failed load or save
// says in one line which file and why, and asks for the end with code 555
// (shutdown.h): at load at once, after a name once the pass is over.
#pragma once

#include <cstdint>

// Exit code when the file cannot be read at load or written after an entry.
constexpr int kHallOfFameFileFailureExit = 555;

// The file's game path, "media\font\scores.txt" unless changed (the tests
// point it at files of their own so they never touch a player's scores).
void setHallOfFamePath(const char* gamePath);

// Reads the file into the table (a link to a file is read through). A short
// file leaves the rest of the table as it was; bytes past the 160th are
// ignored. False when it failed.
bool readHallOfFame();
// Writes the whole table back: into a new file beside it (a fresh name,
// never one that exists, so never through a link) with the old table's
// permission bits, flushed to the disk, then renamed over the old one. The
// old table stays whole when any of that fails. False when it failed.
bool saveHallOfFame();
// Records a new entry in the file as it is now: under a lock on
// "<file>.lock" beside it, so that two games of one player take turns, the
// table is read again (the other game may have saved since this one read
// it; a table removed meanwhile stays removed, and the new one holds this
// entry alone), the entry is inserted into that, and the whole table saved
// as above. The table in memory is then the one saved. A quit signal while
// it waits for the lock gives the save up, the table untouched; the game
// then ends as it does for any signal. Returns whether it saved.
bool recordInHallOfFame(uint32_t score, const char* name);
