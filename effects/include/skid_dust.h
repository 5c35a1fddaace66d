// Skid dust: when a tank skids, dust puffs rise from its trailing wheel and
// are carried along the way the tank was moving. Each puff lives 40 passes,
// rising, swelling from scale 0.1 to 0.5 and fading out.
//
// Scene construction calls buildSkidDust once, right after
// buildBulletTrail; the main loop calls updateSkidDust in each pass in which
// the player's skid is running (80 calls a skid, starting puffs in the first
// 40), reading the skid's direction from tank[player].tiltBurstDir.
#pragma once

#include "swirl_particle.h"

#include "game_state.h"

constexpr int kDustParticles = 10;  // per player

extern SwirlSlot skidDust[kPlayers][kDustParticles];

void buildSkidDust();

// One pass of player's dust; (x, y) is the trailing wheel's top-left.
void updateSkidDust(double x, double y, double depth, bool active, int player);
