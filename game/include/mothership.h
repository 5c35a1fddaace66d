// The mothership: now and then it crosses the top of the screen with a
// looping sound; a shot destroys it for 50 points and it breaks into five
// pieces of its hull.
#pragma once

constexpr int kMothershipEntryChance = 10;  // rand() % 1000 == this starts a crossing
constexpr double kMothershipEntryX = -50.0;  // where a crossing starts, off the left edge
constexpr double kMothershipScale = 0.64;    // the ship and its pieces are drawn this size

void mothershipStep();
// Off: inactive, hidden, its sound stopped.
void mothershipOff();
