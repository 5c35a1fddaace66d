#include "formation.h"

#include "depths.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "shields.h"
#include "shots.h"
#include "sprite.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kEdgeTestDistance = 33.0;   // the formation must travel this far before it can turn
constexpr double kStepDownDistance = 9.0;    // ... and steps down until it has travelled this far
constexpr double kShieldsDownHeight = 360.0;
constexpr double kLandingHeight = 430.0;
constexpr double kAlienBox = 32.0;
constexpr float kFadeStep = 0.01f;           // single precision, as the fade always used
constexpr double kFadeFloor = 0.02;

AlienRecord& alienAt(int row, int column)
{
    return alien[row * kFormationColumns + column];
}

// Rows come down one after another; when a row is in place the row above
// starts, in this same pass for this and the following columns.
void entryDescent(int c)
{
    const int base = levelFormationBase(level);
    for (int r = kFormationRows - 1; r >= 0; --r) {
        if (formationArrived || entrySpeed[r] == 0.0)
            continue;
        AlienRecord& a = alienAt(r, c);
        const double target = base + kBottomRowRestY - (kFormationRows - 1 - r) * kRowSpacing;
        if (a.y <= target) {
            a.y += entrySpeed[r];
        } else if (r == 0) {
            entrySpeed[0] = 0.0;
            formationArrived = true;
        } else {
            entrySpeed[r] = 0.0;
            entrySpeed[r - 1] = kEntryRowSpeed;
        }
    }
}

void dropFlare(int c)
{
    int bottom = -1;
    for (int r = kFormationRows - 1; r >= 0 && bottom < 0; --r)
        if (alienAt(r, c).alive)
            bottom = r;
    if (bottom < 0 || std::rand() % fireDivisor != kFlareChance)
        return;
    for (Sprite* flare : alienBombSprite) {
        if (flare->visible)
            continue;
        const AlienRecord& a = alienAt(bottom, c);
        playEffect(whooshSound);
        flare->show();
        flare->setPosition(a.x + 10.0, a.y + 33.0, kFlareDepth);
        return;
    }
}

Quad alienBox(const Sprite* sprite)
{
    const double sx = sprite->x();
    const double sy = sprite->y();
    return {{sx, sx + kAlienBox, sx + kAlienBox, sx}, {sy, sy, sy + kAlienBox, sy + kAlienBox}};
}

void ramShields(int i)
{
    const Quad box = alienBox(alienSprite[i]);
    for (int s = 0; s < kShieldCount; ++s) {
        if (!shield[s].alive)
            continue;
        if (quadContainsCorner(shield[s].outline, box) || quadContainsCorner(box, shield[s].outline)) {
            shieldRammed(s);
            destroyAlien(i, kByShield);
            return;
        }
    }
}

void march(AlienRecord& a)
{
    if (!formationArrived)
        return;
    if (descentCounter < kStepDownDistance) {
        a.y += std::fabs(marchSpeed);
        if (descentCounter == 0.0)
            a.x += marchSpeed;
    } else {
        a.x += marchSpeed;
    }
    if (a.x < 0.0)
        a.x = 0.0;
    if (a.x > kFormationRightLimit)
        a.x = kFormationRightLimit;
}

void fade(int i)
{
    AlienRecord& a = alien[i];
    if (a.alpha > kFadeFloor) {
        a.alpha -= kFadeStep;
        alienSprite[i]->setAlpha(a.alpha);
    }
}

}  // namespace

double alienStartX(int column)
{
    return kFormationLeftX + kColumnSpacing * column;
}

double alienStartY(int row)
{
    return -(levelFormationBase(level) + kStartHeight + kRowSpacing * row);
}

void formationEdgeTest()
{
    if (descentCounter < kEdgeTestDistance)
        return;
    // Destroyed aliens count too: one left at a side keeps turning the march.
    for (const AlienRecord& a : alien) {
        if (a.x <= 0.0 || a.x >= kFormationRightLimit) {
            marchSpeed = -marchSpeed;
            descentCounter = 0.0;
            return;
        }
    }
}

void columnStep(int c)
{
    entryDescent(c);
    dropFlare(c);
}

void alienStep(int i)
{
    AlienRecord& a = alien[i];
    if (a.alive) {
        ramShields(i);
        march(a);
        alienSprite[i]->setPosition(a.x, a.y, kAlienDepth);
        if (a.y > kShieldsDownHeight)
            shieldsDownTrigger();
    }
    if (levelHasFadingAliens(level))
        fade(i);
    shotHitsAlien(i);
    if (a.y >= kLandingHeight)
        aliensLanded();
}

void advanceDescent()
{
    if (descentCounter < kEdgeTestDistance)
        descentCounter += std::fabs(marchSpeed);
}

void flareStep(int k)
{
    Sprite* flare = alienBombSprite[k];
    if (!flare->visible)
        return;
    const double x = flare->x();
    const double y = flare->y();
    const int band = levelFlareBand(level);
    const double fall = band < 2 ? 1.0 : 2.0;
    const double weave = (band == 1 || band == 3) ? 4.0 * std::sin(y / 4.0 - 2.0) : 0.0;
    flare->setPosition(x + weave, y + fall, kFlareDepth);

    flareHitsTank(k);
    flareAgainstShields(k);
    if (flare->y() > 480.0)
        flare->hide();
}

void revealNearAliens()
{
    if (!levelHasFadingAliens(level))
        return;
    for (int i = 0; i < kAlienCount; ++i) {
        AlienRecord& a = alien[i];
        if (!a.alive)
            continue;
        const double dx = a.x + 10.0 - revealPoint.x;
        const double dy = a.y + 10.0 - revealPoint.y;
        const double d = std::sqrt(dx * dx + dy * dy);
        a.alpha += (300.0 / d) / 3.0;
        if (a.alpha > 1.0)
            a.alpha = 1.0;
        alienSprite[i]->setAlpha(a.alpha);
    }
}

void hideAllFlares()
{
    for (Sprite* flare : alienBombSprite)
        flare->hide();
}
