// Name entry: a player with a qualifying score types up to eight letters on
// the hall-of-fame screen, one key press at a time, and confirms with Return.
#pragma once

#include <cstdint>

constexpr int kMaxNameLength = 8;
// The typed name's surface is this wide, and a line of text high.
constexpr unsigned kNameWidth = 160;

extern char typedName[kMaxNameLength + 1];  // always NUL-terminated
extern uint32_t typedLength;                // 0..8
extern bool nameKeyHeld;                    // a handled key acted or was held this pass

// One pass of name entry (while the screen takes a name and Space is up).
void nameEntryStep();
// Forgets the typed name and takes it off the screen, so that an entry left
// unfinished (a test can leave one) does not carry into the next.
void resetNameEntry();
