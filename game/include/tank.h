// Player tanks: driving with momentum, the sprung lean, skids, the edges,
// firing and the cannon's recoil, the two tanks bumping, and the five kinds
// of part sprites placed on the tank every pass.
#pragma once

// Left edge limits of a tank, and its top for the whole game.
constexpr float kTankLeftLimit = 80.0f;
constexpr float kTankRightLimit = 507.0f;
constexpr float kTankTop = 432.0f;

// Where a round starts the tanks: one player in the middle; with two,
// player 1 on the right and player 2 on the left, under their scores.
constexpr float kOnePlayerStartX = 287.0f;
constexpr float kTwoPlayerStartX[2] = {452.0f, 125.0f};

// Where each part sits on a tank whose top-left is (x, y). The cannon keeps
// a height of its own, which rests kCannonRest below the tank's top.
struct PartPlace {
    double dx;
    double dy;
};
constexpr PartPlace kWheelCoverPlace = {1.0, 30.0};
constexpr PartPlace kBodyPlace = {6.0, 23.0};
constexpr PartPlace kBridgePlace = {14.0, 15.0};
constexpr PartPlace kCannonPlace = {20.0, 4.0};
constexpr double kCannonRest = kCannonPlace.dy;
// Road wheel i sits at (dx + spacing * i, dy).
constexpr PartPlace kFirstRoadWheelPlace = {2.0, 37.0};
constexpr double kRoadWheelSpacing = 11.0;
// The wheels are built turned by this much more each, so they do not roll
// in step.
constexpr double kRoadWheelBuildTurn = 45.0;

// The top and bottom of the tank's outline against the shields (its corners
// are placed each pass; these follow from the tank's fixed top).
constexpr double kOutlineTopY = 436.0;
constexpr double kOutlineBottomY = 465.0;

void bumpTanks();
void driveTank(int p);
void placeTankParts(int p);

// The x of road wheel i on a tank whose left edge is tankX.
double roadWheelX(double tankX, int i);

// The round start's placement: every part on the tank, the cannon at rest.
void placeTankAtRest(int p);
// The parts as the scene was built with them: on the tank at its place, the
// cannon at rest, level, the road wheels at their first turns, each part
// at the depth it has now.
void placeTankAsBuilt(int p);
void showTank(int p);
void hideTank(int p);
