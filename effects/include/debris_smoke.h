// Debris smoke: every flying debris piece sheds a smoke trail of swirl
// particles for its first 50 passes. There is one pool per kind of debris,
// 30 particles per emitting piece. Tank and mothership smoke take a fixed
// colour when a particle starts: red in a yellow outline early in the
// piece's flight, black in a red outline later. Alien smoke is one purple
// sprite per particle.
//
// Scene construction calls the three builders for piece 0 to 4, after
// buildBulletTrail (whose images they use); the debris flight calls the
// matching update once per pass for each moving piece, with active while the
// piece's life is above 250.
#pragma once

#include "swirl_particle.h"

#include "game_state.h"

constexpr int kSmokeParticles = 30;  // per emitting piece

extern SwirlSlot tankDebrisSmoke[kPlayers][kDebrisPieces][kSmokeParticles];
extern SwirlSlot mothershipDebrisSmoke[kDebrisPieces][kSmokeParticles];
// By piece, then explosion slot, as alienDebris is.
extern SwirlSlot alienDebrisSmoke[kDebrisPieces][kExplosionSlots][kSmokeParticles];

// Builders, one piece at a time.
void buildMothershipDebrisSmoke(int piece);
void buildTankDebrisSmoke(int piece);
void buildAlienDebrisSmoke(int piece);

// One pass of one piece's smoke; (x, y) is the piece sprite's position. The
// tank and mothership updates read the piece's life to colour new particles.
void updateTankDebrisSmoke(double x, double y, double depth, bool active, int piece, int player);
void updateMothershipDebrisSmoke(double x, double y, double depth, bool active, int piece);
void updateAlienDebrisSmoke(double x, double y, double depth, bool active, int piece, int slot);
