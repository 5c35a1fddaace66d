#include "debris_smoke.h"

#include "sprite.h"
#include "texture.h"

SwirlSlot tankDebrisSmoke[kPlayers][kDebrisPieces][kSmokeParticles];
SwirlSlot mothershipDebrisSmoke[kDebrisPieces][kSmokeParticles];
SwirlSlot alienDebrisSmoke[kDebrisPieces][kExplosionSlots][kSmokeParticles];

namespace {

constexpr int kSmokeStartHit = 1;

// A piece whose life is this or less has burnt down: its new smoke is black
// in a red outline instead of red in a yellow one.
constexpr double kDarkSmokeLife = 270.0;

void buildEmitter(SwirlSlot (&emitter)[kSmokeParticles], Texture* swirlImage, Texture* outlineImage)
{
    for (SwirlSlot& slot : emitter)
        buildSwirl(slot, swirlImage, outlineImage);
}

void colourSmoke(SwirlSlot& slot, double pieceLife)
{
    const bool dark = pieceLife <= kDarkSmokeLife;
    for (CornerColour& c : slot.swirl->cornerColour)
        c = {dark ? 0.0 : 1.0, 0.0, 0.0};
    for (CornerColour& c : slot.outline->cornerColour)
        c = {1.0, dark ? 0.0 : 1.0, 0.0};
}

// One pass of one emitter. pieceLife is null for the alien smoke, which
// keeps its purple sprite's own colours. Particles still out from an earlier
// use of the emitter (a reused alien explosion slot) carry on where they
// are; only idle ones start at the new piece.
void updateEmitter(SwirlSlot (&emitter)[kSmokeParticles], double x, double y, double depth,
                   bool active, const double* pieceLife)
{
    for (SwirlSlot& slot : emitter) {
        if (rollForStart(slot.particle, kSmokeStartHit, active)) {
            startSwirl(slot, x + 2.0, y + 7.0, depth);
            if (pieceLife)
                colourSmoke(slot, *pieceLife);
        }
        swellAndShrink(slot);
    }
}

}  // namespace

void buildMothershipDebrisSmoke(int piece)
{
    buildEmitter(mothershipDebrisSmoke[piece], swirlTexture, swirlOutlineTexture);
}

void buildTankDebrisSmoke(int piece)
{
    // Both players' smoke is built whatever the player count, so a later
    // two-player game never finds player 2's pool missing.
    for (int player = 0; player < kPlayers; ++player)
        buildEmitter(tankDebrisSmoke[player][piece], swirlTexture, swirlOutlineTexture);
}

void buildAlienDebrisSmoke(int piece)
{
    // Called once per piece, but the five pieces share one image: load it on
    // the first call only rather than leak four copies of it.
    if (!purpleSwirlTexture)
        purpleSwirlTexture = new Texture("media\\effects\\purple_swirl.tga");
    for (int slot = 0; slot < kExplosionSlots; ++slot)
        buildEmitter(alienDebrisSmoke[piece][slot], purpleSwirlTexture, nullptr);
}

void updateTankDebrisSmoke(double x, double y, double depth, bool active, int piece, int player)
{
    updateEmitter(tankDebrisSmoke[player][piece], x, y, depth, active,
                  &tankDebris[player][piece].life);
}

void updateMothershipDebrisSmoke(double x, double y, double depth, bool active, int piece)
{
    updateEmitter(mothershipDebrisSmoke[piece], x, y, depth, active, &mothershipDebris[piece].life);
}

void updateAlienDebrisSmoke(double x, double y, double depth, bool active, int piece, int slot)
{
    updateEmitter(alienDebrisSmoke[piece][slot], x, y, depth, active, nullptr);
}
