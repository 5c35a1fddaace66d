// Debris: the five pieces every destruction throws out. They fly on a
// ballistic path for 300 passes, in every mode, trailing smoke for their
// first 50.
#pragma once

class Sprite;
struct DebrisPiece;

constexpr double kDebrisLife = 300.0;
constexpr double kSmokeLife = 250.0;   // pieces smoke while their life is above this
constexpr double kDebrisGravity = 0.07;

// The sideways kick of piece i: to the left or the right, by chance.
double debrisSide(int i);
// The upward throw of piece i.
double debrisRise(int i);
// The spin of a tumbling piece, degrees per drawn frame.
double debrisSpin();

// Starts a piece at (x, y) with its speeds.
void launchDebris(DebrisPiece& piece, Sprite* sprite, double x, double y, double dx, double dy);

void debrisStep();
