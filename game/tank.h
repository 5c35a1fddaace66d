// Player tanks: driving with momentum, the sprung lean, skids, the edges,
// firing and the cannon's recoil, the two tanks bumping, and the five kinds
// of part sprites placed on the tank every pass.
#pragma once

#include <SDL.h>

// Left edge limits of a tank.
constexpr float kTankLeftLimit = 80.0f;
constexpr float kTankRightLimit = 507.0f;
constexpr float kTankTop = 432.0f;

// The keys each player drives and fires with.
struct TankKeys {
    SDLKey left;
    SDLKey right;
    SDLKey fire;
};
extern const TankKeys tankKeys[2];

void bumpTanks();
void driveTank(int p);
void placeTankParts(int p);

// The round start's placement: every part on the tank, the cannon at rest.
void placeTankAtRest(int p);
void showTank(int p);
void hideTank(int p);
