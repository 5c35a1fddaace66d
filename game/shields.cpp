#include "shields.h"

#include "depths.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "sprite.h"

#include <cmath>

namespace {

// Degrees to radians, with the divisor the shields have always used.
constexpr double kDegreesPerRadian = 57.2958;
constexpr double kFallenY = 700.0;
constexpr double kSpring = 0.05;
constexpr double kSwingBack = 0.05;
constexpr double kDamping = 0.99;
constexpr double kBallY = 395.0;
constexpr double kDriftLeftLimit = 5.0;
constexpr double kDriftRightLimit = 620.0;

// The shield's middle, from the balls' left edges.
double shieldMiddle(const Shield& s)
{
    const double left = s.shieldBallSprite[0]->x();
    const double right = s.shieldBallSprite[1]->x();
    return left + ((right - left) + 32.0) / 2;
}

// The balls turn with the arc about a common centre.
void placeBallsTurned(Shield& s, double rotation, double ax, double ay)
{
    const double angle[2] = {(rotation - 45.0) / kDegreesPerRadian, (rotation + 135.0) / kDegreesPerRadian};
    for (int b = 0; b < 2; ++b) {
        const double c = std::cos(angle[b]);
        const double n = std::sin(angle[b]);
        s.shieldBallSprite[b]->setPosition(ax + 16.0 - (c - n) * 22.0, ay - 5.0 - (c + n) * 22.0, kShieldDepth);
    }
}

void buildOutline(Shield& s, double rotation, double ax, double ay)
{
    const double corner[4] = {rotation - 83.0, rotation + 83.0, rotation + 97.0, rotation - 97.0};
    for (int k = 0; k < 4; ++k) {
        const double a = wrapDegrees(corner[k]) / kDegreesPerRadian;
        s.outline.x[k] = ax + 19.0 + std::sin(a) * 44.0;
        s.outline.y[k] = ay - std::cos(a) * 44.0;
    }
}

void setVisible(Shield& s, int32_t visible)
{
    s.shieldArcSprite->visible = visible;
    s.shieldBallSprite[0]->visible = visible;
    s.shieldBallSprite[1]->visible = visible;
}

}  // namespace

void placeBallsLevel(Shield& s)
{
    Sprite* arc = s.shieldArcSprite;
    Sprite* left = s.shieldBallSprite[0];
    left->setPosition(arc->x() - 15.0, kBallY, kShieldDepth);
    s.shieldBallSprite[1]->setPosition(left->x() + arc->scaledWidth() + left->scaledWidth() - 3.0, kBallY, kShieldDepth);
}

void driftShields()
{
    if (!levelHasDriftingShields(level))
        return;
    // Only living shields turn the drift, but every arc moves with it.
    for (const Shield& s : shield) {
        if (!s.alive)
            continue;
        if (s.shieldBallSprite[0]->x() <= kDriftLeftLimit && shieldDrift < 0.0) {
            shieldDrift = -shieldDrift;
            break;
        }
        if (s.shieldBallSprite[1]->x() >= kDriftRightLimit && shieldDrift > 0.0) {
            shieldDrift = -shieldDrift;
            break;
        }
    }
    if (shieldsGone)
        return;
    for (Shield& s : shield) {
        Sprite* arc = s.shieldArcSprite;
        arc->setPosition(arc->x() + shieldDrift, arc->y(), kShieldDepth);
    }
}

void moveShield(int index)
{
    Shield& s = shield[index];
    if (!s.alive)
        return;
    Sprite* arc = s.shieldArcSprite;
    arc->setPosition(arc->x(), arc->y() + s.vy, kShieldDepth);
    if (arc->rotation() > 0.0)
        arc->spin -= kSwingBack;
    if (arc->rotation() < 0.0)
        arc->spin += kSwingBack;
    // The spring pulls towards the rest height; once the shields are gone
    // only the downward pull is left.
    if (arc->y() < kShieldRestY || shieldsGone)
        s.vy += kSpring;
    if (arc->y() > kShieldRestY && !shieldsGone)
        s.vy -= kSpring;
    if (arc->y() > kFallenY && shieldsGone) {
        s.alive = false;
        setVisible(s, 0);
    }
    s.vy *= kDamping;
    arc->spin *= kDamping;
    placeBallsTurned(s, arc->rotation(), arc->x(), arc->y());
    buildOutline(s, arc->rotation(), arc->x(), arc->y());
}

void shieldHitFromBelow(int index, double x)
{
    Shield& s = shield[index];
    s.shieldArcSprite->spin += shieldMiddle(s) >= x ? 1.0 : -1.0;
    s.vy -= 2.0;
}

// A sinking shield is slowed, not sped up, by more flares.
void shieldHitFromAbove(int index, double x)
{
    Shield& s = shield[index];
    const double k = shieldPushStrength;
    s.shieldArcSprite->spin += shieldMiddle(s) >= x ? -k * 0.5 : k * 0.5;
    if (s.vy >= k)
        s.vy -= k * 0.5;
    else
        s.vy += k * 0.5;
}

void shieldRammed(int index)
{
    Shield& s = shield[index];
    s.vy += 3.0;
    s.shieldArcSprite->spin += marchSpeed > 0.0 ? -3.0 : 3.0;
}

void flareAgainstShields(int k)
{
    Sprite* flare = alienBombSprite[k];
    const double fx = flare->x();
    const double px = fx + 5.0;
    const double py = flare->y() + 5.0;
    for (int s = 0; s < kShieldCount; ++s) {
        if (!shield[s].alive || !quadContainsXY(shield[s].outline, px, py))
            continue;
        shieldHitFromAbove(s, fx + 5.0);
        flare->hide();
        playEffect(shieldHitSound);
    }
}

void shieldsDownTrigger()
{
    if (!shieldsGone)
        playSample(kShieldsDownChannel, shieldsDownSound, kFullVolume);
    FSOUND_SetVolume(kShieldsDownChannel, kShieldsDownHeldVolume);
    shieldsGone = true;
}

// Shields knocked away stay away for the rest of the level; the others come
// back to rest where they are.
void shieldsRoundStart()
{
    for (Shield& s : shield) {
        if (shieldsGone)
            s.alive = false;
        if (!s.alive) {
            setVisible(s, 0);
            continue;
        }
        Sprite* arc = s.shieldArcSprite;
        arc->spin = 0.0;
        arc->setRotation(0.0);
        s.vy = 0.0;
        arc->setPosition(arc->x(), kShieldRestY, kShieldDepth);
        placeBallsLevel(s);
    }
}

void shieldsLevelSetUp()
{
    shieldsGone = false;
    for (int i = 0; i < kShieldCount; ++i) {
        Shield& s = shield[i];
        s.shieldArcSprite->setPosition(kShieldStartX[i], kShieldRestY, kShieldArcBuildDepth);
        s.alive = true;
        setVisible(s, 1);
        placeBallsLevel(s);
    }
}

void shieldsBackToStart()
{
    for (int i = 0; i < kShieldCount; ++i) {
        Shield& s = shield[i];
        Sprite* arc = s.shieldArcSprite;
        arc->setPosition(kShieldStartX[i], kShieldRestY, kShieldDepth);
        arc->spin = 0.0;
        arc->setRotation(0.0);
        s.vy = 0.0;
        placeBallsLevel(s);
        s.alive = true;
    }
}
