#include "bullet_trail.h"

#include "sprite.h"
#include "texture.h"

#include <initializer_list>

SwirlSlot bulletTrail[kPlayers][kTrailParticles];

namespace {

constexpr int kTrailStartHit = 15;

// The colour clock: where a swirl starts, and what each pass adds to it.
constexpr uint32_t kClockStart = 100;
constexpr uint32_t kClockStep = 12;

// Clock values where the colours start to turn: first the greens, then the
// swirl's red and the outline's blue.
constexpr double kGreenTurn = 120.0;
constexpr double kRedTurn = 180.0;

// How far past a turn the colour has run, per pass of the clock.
double colourRun(double value, double from)
{
    return (value - from) / 256.0 * 4.6;
}

// Colours the two corners of one edge of the swirl and its outline by the
// edge's clock value. greenFrom is where the green run is measured from: the
// left edge counts from 110 while it switches at 120, so its greens jump
// rather than start from 1 and 0.
void colourEdge(SwirlSlot& slot, Corner a, Corner b, double value, double greenFrom)
{
    CornerColour* swirl = slot.swirl->cornerColour;
    CornerColour* outline = slot.outline->cornerColour;
    for (Corner c : {a, b}) {
        if (value < kGreenTurn) {
            swirl[c] = {1.0, 1.0, 0.0};
            outline[c] = {1.0, 0.0, 0.0};
        } else if (value < kRedTurn) {
            const double t = colourRun(value, greenFrom);
            swirl[c].green = 1.0 - t;
            outline[c].green = t;
        } else {
            const double t = colourRun(value, kRedTurn);
            swirl[c].red = 1.0 - t;
            outline[c].blue = t;
        }
    }
}

// The right edge runs ahead of the left by the swirl's width, so colours
// sweep across the swirl from right to left as it ages. Values leave 0..1
// as the clock runs on; drawing clamps them.
void colourByClock(SwirlSlot& slot)
{
    const double clock = slot.particle.clock;
    colourEdge(slot, kBottomLeft, kTopLeft, clock, 110.0);
    colourEdge(slot, kBottomRight, kTopRight, clock + slot.swirl->scaledWidth(), 120.0);
}

}  // namespace

void buildBulletTrail()
{
    swirlTexture = new Texture("media\\effects\\swirl.tga");
    swirlOutlineTexture = new Texture("media\\effects\\swirl_outline.tga");
    for (auto& pool : bulletTrail)
        for (SwirlSlot& slot : pool)
            buildSwirl(slot, swirlTexture, swirlOutlineTexture);
}

void updateBulletTrail(double x, double y, double depth, bool active, int player)
{
    for (SwirlSlot& slot : bulletTrail[player]) {
        if (rollForStart(slot.particle, kTrailStartHit, active)) {
            startSwirl(slot, x + 2.0, y + 7.0, depth);
            slot.particle.clock = kClockStart;
        }
        // A swirl started this pass moves this pass too, so it is already
        // at scale 0.11 and 0.5 px down when the scene is next drawn.
        swellAndShrink(slot);
        // Idle swirls keep their clock and colours running as well.
        colourByClock(slot);
        slot.particle.clock += kClockStep;
    }
}
