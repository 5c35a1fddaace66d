// The swirl particle shared by every effect: the bullet trail, the three
// debris smokes and the skid dust.
//
// A particle is a small record plus its sprites: a swirl (dust-coloured for
// the skid dust, purple for the alien smoke) and, except for the alien
// smoke, an outline that follows the swirl's position and scale. Every
// effect keeps its particles in fixed pools built once at load time; the
// helpers here build a particle, roll for its start, start it, and run the
// swell, shrink, drift and fade step that the trail and the smokes share.
#pragma once

#include <cstdint>

class Sprite;
class Texture;


// A start roll hits when rand() % kSpawnChance equals the effect's value.
constexpr int kSpawnChance = 30;

struct SwirlParticle {
    bool growing;     // swelling (and while idle); false while shrinking and fading
    bool live;        // out on the screen
    double drift;     // sideways pixels per pass while shrinking, -1.2..0.8
    uint32_t clock;   // trail: colour clock, 100 at start, +12 a pass; dust: passes left
};

// One entry of a pool: the record and its sprites. The outline is null for
// the alien smoke, whose particle is a single purple sprite.
struct SwirlSlot {
    SwirlParticle particle;
    Sprite* swirl;
    Sprite* outline;
};

// The images every effect draws with; loaded by buildBulletTrail, except the
// purple one, which the first buildAlienDebrisSmoke loads.
extern Texture* swirlTexture;         // "media\effects\swirl.tga"
extern Texture* swirlOutlineTexture;  // "media\effects\swirl_outline.tga"
extern Texture* purpleSwirlTexture;   // "media\effects\purple_swirl.tga"

// Building: makes the slot's sprites (no outline when outlineTexture is
// null), gives both one random texture spin, parks them hidden at scale 0.1,
// and sets the record idle with a random drift. Draws rand() three times.
void buildSwirl(SwirlSlot& slot, Texture* swirlImage, Texture* outlineImage);

// Settling: the slot idle and its sprites hidden and parked at scale 0.1,
// as built (the drift and the spin it was given stay).
void settleSwirl(SwirlSlot& slot);

// Starting: for an idle particle, draws rand() (whether or not the emitter
// is active, so the random sequence does not depend on it) and tells whether
// the roll hit and the emitter is active. Never draws for a live particle.
bool rollForStart(const SwirlParticle& particle, int hit, bool active);

// Puts the slot's sprites at (x, y), shown, at scale 0.1 and fully opaque,
// and marks the particle live.
void startSwirl(SwirlSlot& slot, double x, double y, double depth);

// One pass of a live particle's life, shared by the trail and the smokes: it
// sinks and swells until scale 0.4, then sinks, drifts, shrinks and fades
// until scale 0.1, when it is hidden and idle again. Idle particles are left
// alone.
void swellAndShrink(SwirlSlot& slot);
