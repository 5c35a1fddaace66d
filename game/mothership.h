// The mothership: now and then it crosses the top of the screen with a
// looping sound; a shot destroys it for 50 points and it breaks into five
// pieces of its hull.
#pragma once

constexpr int kMothershipEntryChance = 10;  // rand() % 1000 == this starts a crossing

void mothershipStep();
// Off: inactive, hidden, its sound stopped.
void mothershipOff();
