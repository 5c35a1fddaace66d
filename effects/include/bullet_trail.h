// The bullet trail: while a player's shot flies it sheds small spinning
// swirls that sink, swell, then shrink, drift and fade, changing colour as
// they age (yellow in red, then red in yellow, then a darkening swirl in a
// whitening outline).
//
// Scene construction calls buildBulletTrail once, before the other effect
// builders, since it loads the swirl images they share; the main loop calls
// updateBulletTrail every pass in every mode, for player 0 then player 1.
#pragma once

#include "swirl_particle.h"

#include "game_state.h"

constexpr int kTrailParticles = 60;  // per player

// The two trails, by player then particle.
extern SwirlSlot bulletTrail[kPlayers][kTrailParticles];

// Loads swirlTexture and swirlOutlineTexture and builds both pools.
void buildBulletTrail();

// One pass of player's trail: (x, y) is the shot's top-left, active whether
// it flies. Swirls already out finish their course either way; when all 60
// are out no new one starts.
void updateBulletTrail(double x, double y, double depth, bool active, int player);
