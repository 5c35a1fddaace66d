#include "shots.h"

#include "debris.h"
#include "depths.h"
#include "formation.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "shields.h"
#include "sprite.h"
#include "tank.h"

namespace {

constexpr double kShotTop = -16.0;       // a shot above this has left play
constexpr double kAlienHitSize = 27.0;   // the part of an alien a shot must touch
constexpr uint32_t kAlienPoints = 10;

// The shot's box against a shield.
Quad shotBox(const PlayerShot& s)
{
    const ShotHitPoints h = shotHitPoints(s, ShotTarget::kShield);
    return {{h.left, h.right, h.right, h.left}, {h.top, h.top, h.bottom, h.bottom}};
}

// Do the two sample points a..b of one axis touch the span low..low+size?
bool touches(double low, double size, double a, double b)
{
    return within(low, a, low + size) || within(low, b, low + size);
}

void endShot(PlayerShot& s)
{
    s.active = false;
    s.bulletSprite->hide();
}

// The tank's parts a flare can strike: the cannon, the body, the wheel cover.
bool flareStrikesTank(const TankState& t, double fx, double fy)
{
    const Sprite* parts[3] = {t.tankCannonSprite, t.tankBodySprite, t.tankWheelsSprite};
    for (const Sprite* part : parts)
        if (touches(part->y(), part->scaledHeight(), fy + 2, fy + 9) &&
            touches(part->x(), part->scaledWidth(), fx + 2, fx + 9))
            return true;
    return false;
}

void launchTankDebris(int p, double x, double y)
{
    for (int i = 0; i < kDebrisPieces; ++i) {
        const double side = debrisSide(i);
        const double dy = debrisRise(i);
        launchDebris(tankDebris[p][i], tankDebrisSprite[p][i], x, y, 1.5 * tank[p].vx + side, dy);
        tankDebrisSprite[p][i]->spin = debrisSpin();
    }
}

void addScore(int p, uint32_t points)
{
    tank[p].score += points;
    showScore(p);
}

}  // namespace

ShotHitPoints shotHitPoints(const PlayerShot& s, ShotTarget target)
{
    // Offsets from the shot's top-left, by target: left, right, top, bottom.
    static constexpr ShotHitPoints kOffsets[] = {
        {2.0, 8.0, 2.0, 11.0},  // shield
        {2.0, 5.0, 2.0, 9.0},   // alien
        {2.0, 5.0, 2.0, 5.0},   // mothership
    };
    const ShotHitPoints& o = kOffsets[int(target)];
    return {s.x + o.left, s.x + o.right, s.y + o.top, s.y + o.bottom};
}

void shotFlight(int p)
{
    PlayerShot& s = shot[p];
    if (!s.active)
        return;
    s.y += s.vy;
    s.bulletSprite->setPosition(s.x, s.y, kShotDepth);
    if (s.y < kShotTop)
        endShot(s);
    // A shot that leaves the screen in this pass can still hit a shield.
    const Quad box = shotBox(s);
    for (int i = 0; i < kShieldCount; ++i) {
        if (!shield[i].alive || !quadContainsCorner(shield[i].outline, box))
            continue;
        shieldHitFromBelow(i, box.x[0]);
        endShot(s);
        playEffect(shieldHitSound);
    }
}

// Touching two shields in one pass costs two lives.
void tankShieldContact(int p)
{
    const Quad& outline = tank[p].outline;
    for (int s = 0; s < kShieldCount; ++s) {
        if (!shield[s].alive)
            continue;
        if (quadContainsCorner(shield[s].outline, outline) || quadContainsCorner(outline, shield[s].outline))
            destroyTank(p, s, kNoFlare);
    }
}

void shotHitsAlien(int i)
{
    for (uint32_t p = 0; p < playerCount; ++p) {
        const PlayerShot& s = shot[p];
        const AlienRecord& a = alien[i];
        if (!s.active || !a.alive)
            continue;
        const ShotHitPoints h = shotHitPoints(s, ShotTarget::kAlien);
        if (touches(a.y, kAlienHitSize, h.top, h.bottom) && touches(a.x, kAlienHitSize, h.left, h.right))
            destroyAlien(i, int(p));
    }
}

// The same flare goes on to the next tank, hidden or not: one flare over
// both tanks destroys both.
void flareHitsTank(int k)
{
    Sprite* flare = alienBombSprite[k];
    const double fx = flare->x();
    const double fy = flare->y();
    for (uint32_t p = 0; p < playerCount; ++p) {
        if (flareStrikesTank(tank[p], fx, fy)) {
            destroyTank(int(p), kNoShield, k);
            flare->hide();
        }
    }
}

void destroyTank(int p, int shieldIndex, int flareIndex)
{
    playEffect(explosionSound);
    lives -= 1;
    if (lives == 0) {
        playSample(kMothershipChannel, laughSound, shieldIndex >= 0 ? kLaughAfterShieldVolume : kFullVolume);
        makeEndBanner(false);
        gameOver = true;
    }
    double x = tank[p].outline.x[0] + 4.0;
    double y = 456.0;
    if (flareIndex >= 0) {
        Sprite* flare = alienBombSprite[flareIndex];
        x = flare->x() + 9.0;
        y = flare->y() + 7.0;
        flare->hide();
    }
    for (PlayerShot& s : shot)
        endShot(s);
    if (shieldIndex >= 0)
        shield[shieldIndex].vy -= 3.0;  // the tank throws the shield up

    launchTankDebris(p, x, y);
    hideTank(p);
    for (TankState& t : tank) {
        t.vx = 0.0f;
        t.tankBodySprite->setRotation(0.0);
        t.tankBridgeSprite->setRotation(0.0);
        t.tilt = 0.0;
        t.tiltVel = 0.0;
    }
    roundPause = 0;
}

void destroyAlien(int i, int by)
{
    AlienRecord& a = alien[i];
    revealPoint = {a.x + 10.0, a.y + 10.0};
    if (by != kByShield) {
        addScore(by, kAlienPoints);
    } else if (playerCount == 1) {
        addScore(0, 2 * kAlienPoints);
    } else {
        addScore(0, kAlienPoints);
        addScore(1, kAlienPoints);
    }

    a.alive = 0;
    if (by != kByShield)
        shot[by].active = false;
    marchSpeed *= kMarchSpeedUp;
    if (by != kByShield)
        shot[by].bulletSprite->hide();
    alienSprite[i]->hide();
    aliensAlive -= 1;

    double startX;
    double startY;
    if (by != kByShield) {
        startX = shot[by].x + shot[by].bulletSprite->scaledWidth() / 2;
        startY = shot[by].y;
    } else {
        startX = alienSprite[i]->x() + 32.0;
        startY = alienSprite[i]->y() + 32.0;
    }
    const int channel = kAlienExplosionChannel + explosionSlot;
    if (by != kByShield)
        playSample(channel, explosionSound, kEffectVolume);
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        // Against a shield the sound starts again with every piece, on the
        // same channel.
        if (by == kByShield)
            playSample(channel, explosionSound, kEffectVolume);
        const double dx = marchSpeed / 2 + debrisSide(piece);
        const double dy = debrisRise(piece);
        launchDebris(alienDebris[piece][explosionSlot], alienDebrisSprite[piece][explosionSlot], startX, startY, dx, dy);
    }
    explosionSlot = (explosionSlot + 1) % kExplosionSlots;

    revealNearAliens();
    if (aliensAlive == 0) {
        level += 1;
        roundPause = 0;
        levelCleared = true;
    }
}
