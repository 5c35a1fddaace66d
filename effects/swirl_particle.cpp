#include "swirl_particle.h"

#include "depths.h"
#include "sprite.h"

#include <cstdlib>
#include <initializer_list>

Texture* swirlTexture = nullptr;
Texture* swirlOutlineTexture = nullptr;
Texture* purpleSwirlTexture = nullptr;

namespace {

// Where a particle waits, hidden, until its first start.
constexpr double kParkedX = 317.0;
constexpr double kParkedY = 400.0;
constexpr double kBuiltX = 100.0;
// A waiting particle's clock; each effect sets its own when it starts one.
constexpr uint32_t kParkedClock = 100;

// Scale at start and at the end of the shrink, and where the swell turns.
constexpr double kStartScale = 0.1;
constexpr double kTurnScale = 0.4;

// Per-pass changes while swelling and shrinking.
constexpr double kSinkStep = 0.5;
constexpr double kSwellStep = 0.01;
constexpr double kShrinkStep = 0.0125;
constexpr double kFadeStep = 0.05;

// 30 % of the swirls turn clockwise, 70 % the other way, at 8.00 to 8.39
// degrees per drawn frame, so neighbouring swirls never turn in step.
double rollTextureSpin()
{
    const bool clockwise = std::rand() % 10 < 3;
    const double speed = 8.0 + (std::rand() % 40) / 100.0;
    return clockwise ? speed : -speed;
}

// One of -1.2, -0.8, -0.4, 0, 0.4, 0.8: the shrinking swirls lean left.
double rollDrift()
{
    return (std::rand() % 6 - 3) / 2.5;
}

void swell(Sprite* sprite, double x, double y, double scale)
{
    sprite->setPosition(x, y + kSinkStep, kEffectDepth);
    sprite->setUniformScale(scale + kSwellStep);
}

void shrink(Sprite* sprite, double x, double y, double scale, double drift)
{
    sprite->setPosition(x + drift, y + kSinkStep, kEffectDepth);
    sprite->setUniformScale(scale - kShrinkStep);
    sprite->setAlpha(sprite->alpha() - kFadeStep);
}

// Small, hidden and out of sight until its first start.
void parkSprite(Sprite* sprite)
{
    sprite->setUniformScale(kStartScale);
    sprite->setPosition(kParkedX, kParkedY, kEffectDepth);
    sprite->hide();
}

void parkParticle(SwirlParticle& particle)
{
    particle.clock = kParkedClock;
    particle.growing = true;
    particle.live = false;
}

}  // namespace

void buildSwirl(SwirlSlot& slot, Texture* swirlImage, Texture* outlineImage)
{
    slot.swirl = new Sprite(kBuiltX, kParkedY, kEffectDepth, swirlImage);
    slot.outline = outlineImage ? new Sprite(kBuiltX, kParkedY, kEffectDepth, outlineImage) : nullptr;

    const double spin = rollTextureSpin();
    for (Sprite* sprite : {slot.swirl, slot.outline}) {
        if (!sprite)
            continue;
        sprite->textureSpin = spin;
        parkSprite(sprite);
    }
    parkParticle(slot.particle);
    slot.particle.drift = rollDrift();
}

void settleSwirl(SwirlSlot& slot)
{
    for (Sprite* sprite : {slot.swirl, slot.outline}) {
        if (!sprite)
            continue;
        parkSprite(sprite);
        sprite->resetAlpha();
    }
    parkParticle(slot.particle);
}

bool rollForStart(const SwirlParticle& particle, int hit, bool active)
{
    if (particle.live)
        return false;
    const bool rolled = std::rand() % kSpawnChance == hit;
    return rolled && active;
}

void startSwirl(SwirlSlot& slot, double x, double y, double depth)
{
    slot.swirl->setPosition(x, y, depth);
    if (slot.outline)
        slot.outline->setPosition(x, y, depth);
    slot.particle.live = true;
    // Scaling down from the scale the hidden sprite last had keeps its
    // centre, so a reused particle starts a little right of and below a
    // fresh one.
    for (Sprite* sprite : {slot.swirl, slot.outline}) {
        if (!sprite)
            continue;
        sprite->show();
        sprite->setUniformScale(kStartScale);
        sprite->resetAlpha();
    }
}

void swellAndShrink(SwirlSlot& slot)
{
    SwirlParticle& particle = slot.particle;
    if (!particle.live)
        return;
    // Read before either sprite moves: both are placed from the swirl's old
    // position and scale, which keeps the outline on its swirl.
    const double x = slot.swirl->x();
    const double y = slot.swirl->y();
    const double scale = slot.swirl->scaleX();

    if (scale >= kTurnScale && particle.growing)
        particle.growing = false;
    if (scale <= kStartScale && !particle.growing) {
        slot.swirl->hide();
        if (slot.outline)
            slot.outline->hide();
        particle.growing = true;
        particle.live = false;
    }

    // The pass that ends a particle still swells its hidden sprites once, so
    // a reused trail particle starts from scale 0.11.
    for (Sprite* sprite : {slot.swirl, slot.outline}) {
        if (!sprite)
            continue;
        if (particle.growing)
            swell(sprite, x, y, scale);
        else
            shrink(sprite, x, y, scale, particle.drift);
    }
}
