#include "skid_dust.h"

#include "depths.h"
#include "sprite.h"

SwirlSlot skidDust[kPlayers][kDustParticles];

namespace {

constexpr int kDustStartHit = 1;

// A puff's life in passes; a puff started on the skid's last active call
// ends on its last call, so none is left on screen when the calls stop.
constexpr uint32_t kDustLife = 40;

// Per-pass motion: carried along the skid, rising, swelling, fading.
constexpr double kDustCarry = 1.5;
constexpr double kDustRise = 0.75;
constexpr double kDustSwell = 0.01;
constexpr double kDustFade = 0.025;

void paint(Sprite* sprite, CornerColour colour)
{
    for (CornerColour& c : sprite->cornerColour)
        c = colour;
}

// Moves a live puff one pass; the outline fades one step ahead of the dust.
void carryPuff(SwirlSlot& slot, int direction)
{
    const double x = slot.swirl->x() + kDustCarry * direction;
    const double y = slot.swirl->y() - kDustRise;
    const double scale = slot.swirl->scaleX() + kDustSwell;
    slot.swirl->setPosition(x, y, kEffectDepth);
    slot.swirl->setUniformScale(scale);
    slot.swirl->setAlpha(slot.swirl->alpha() - kDustFade);
    slot.outline->setPosition(x, y, kEffectDepth);
    slot.outline->setUniformScale(scale);
    slot.outline->setAlpha(slot.swirl->alpha() - kDustFade);
}

}  // namespace

void buildSkidDust()
{
    for (auto& pool : skidDust) {
        for (SwirlSlot& slot : pool) {
            buildSwirl(slot, swirlTexture, swirlOutlineTexture);
            paint(slot.swirl, {0.5, 0.4, 0.2});
            paint(slot.outline, {1.0, 1.0, 0.0});
        }
    }
}

void updateSkidDust(double x, double y, double depth, bool active, int player)
{
    const int direction = tank[player].tiltBurstDir;
    for (SwirlSlot& slot : skidDust[player]) {
        SwirlParticle& particle = slot.particle;
        if (rollForStart(particle, kDustStartHit, active)) {
            startSwirl(slot, x, y + 3.0, depth);
            particle.clock = kDustLife;
        }
        if (particle.live) {
            // The ending pass still moves the hidden puff once, so a reused
            // particle starts from scale 0.51.
            if (particle.clock == 0) {
                slot.swirl->hide();
                slot.outline->hide();
                particle.live = false;
            }
            carryPuff(slot, direction);
        }
        --particle.clock;  // idle particles too; it wraps
    }
}
