// Files of the player's: the hall of fame's table and the settings.
//
// Such a file may be anything by the time the game looks at it, so it is
// hostile until checked: it is opened without blocking (a FIFO would wait
// for a writer for ever) and used only when it is a regular file, and it is
// replaced whole by a new file of a fresh name beside it, never written
// through a link. Each failure comes with the reason in words, for the one
// line the game prints.
#pragma once

#include <sys/types.h>

#include <string>

// Opens a file for reading, following a link only to a regular file.
// Returns the descriptor, or -1 with `why` set ("it is a FIFO, not a file",
// or the system's word) and `missing` true when there is no file at all.
int openPlayerFile(const std::string& path, std::string& why, bool& missing);

// Reads up to `size` bytes of an open file into `bytes` and closes it.
// Returns the count read, or -1 with `why` set.
long readPlayerFile(int fd, void* bytes, size_t size, std::string& why);

// The permission bits a file's replacement keeps: the file's own, or for a
// new file what the umask leaves of 0666. False with `why` set when the
// path holds something other than a regular file.
bool modeForReplacing(const std::string& path, mode_t& mode, std::string& why);

// Replaces the file at `path` with `size` bytes: written under a fresh name
// beside it with `mode`, flushed to the disk, renamed over it, the folder
// synced. The old file stays whole when any of it fails, and nothing is
// left behind. Returns "" or why it failed.
std::string replacePlayerFile(const std::string& path, const void* bytes, size_t size, mode_t mode);

// "it is a folder, not a file" and the like, for what stat reports.
std::string notAFile(mode_t mode);

// The path as the player finds it: the game may run in a folder of its own,
// so a relative path alone would not say where.
std::string shownPath(const std::string& path);
