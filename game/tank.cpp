#include "tank.h"

#include "depths.h"
#include "game_state.h"
#include "keys.h"
#include "samples.h"
#include "sprite.h"

namespace {

constexpr float kMaxSpeed = 2.0f;
constexpr float kAcceleration = 0.125f;
constexpr float kFriction = 0.03125f;
constexpr double kMaxTilt = 8.0;
constexpr double kTiltStep = 2.0;
constexpr double kSkidPasses = 80.0;
constexpr double kRecoil = 4.0;          // how far a shot kicks the cannon down
constexpr double kCannonReturn = 0.15;   // it creeps back up this much per pass
// Where a shot starts: from the cannon's mouth, above the tank.
constexpr PartPlace kShotStartPlace = {20.0, -6.0};

void startSkid(TankState& t, int direction)
{
    if (t.tiltBurst == 0.0) {
        t.tiltBurst = kSkidPasses;
        t.tiltBurstDir = direction;
    }
}

void accelerateLeft(TankState& t)
{
    if (t.vx > -kMaxSpeed) {
        t.tiltVel = 0.0;
        t.vx -= kAcceleration;
        if (t.vx > 1.0f)
            startSkid(t, +1);  // still moving right: a hard reversal
    }
    if (t.tilt < kMaxTilt)
        t.tilt += kTiltStep;
}

void accelerateRight(TankState& t)
{
    if (t.vx < kMaxSpeed) {
        t.tiltVel = 0.0;
        t.vx += kAcceleration;
        if (t.vx < -1.0f)
            startSkid(t, -1);
    }
    if (t.tilt > -kMaxTilt)
        t.tilt -= kTiltStep;
}

// Released: friction slows the tank and the lean swings back on its spring.
void coast(TankState& t)
{
    if (t.vx > 0.0f)
        t.vx -= kFriction;
    if (t.vx < 0.0f)
        t.vx += kFriction;
    if (t.tiltVel == 0.0 && t.tilt == 0.0)
        return;
    const double pull = t.tilt <= 0.0 ? 0.25 : -0.25;
    t.tiltVel = (t.tiltVel + pull) * 0.94;
    t.tilt += t.tiltVel;
    const bool settledFromAbove = t.tilt >= 0.0 && t.tilt <= 0.25 && t.tiltVel <= -0.0001;
    const bool settledFromBelow = t.tilt >= -0.25 && t.tilt <= 0.0 && t.tiltVel <= 0.0001;
    if (settledFromAbove || settledFromBelow) {
        t.tilt = 0.0;
        t.tiltVel = 0.0;
    }
}

void clampToEdges(TankState& t)
{
    t.x += t.vx;
    if (t.x < kTankLeftLimit) {
        t.x = kTankLeftLimit;
        t.vx = 0.0f;
    }
    if (t.x > kTankRightLimit) {
        t.x = kTankRightLimit;
        t.vx = 0.0f;
    }
}

void fire(int p)
{
    TankState& t = tank[p];
    Sprite* cannon = t.tankCannonSprite;
    if (!keyHeld(playerKey(p, kFireAction)) || shot[p].active || cannon->y() > t.y + kCannonRest)
        return;
    shot[p].active = true;
    shot[p].x = t.x + kShotStartPlace.dx;
    shot[p].y = t.y + kShotStartPlace.dy;
    shot[p].bulletSprite->show();
    cannon->setPosition(cannon->x(), cannon->y() + kRecoil, kTankUnderPartDepth);
    playSample(kFireChannel + p, fireSound, kEffectVolume);
}

void returnCannon(const TankState& t)
{
    Sprite* cannon = t.tankCannonSprite;
    if (cannon->y() > t.y + kCannonRest)
        cannon->setPosition(cannon->x(), cannon->y() - kCannonReturn, kTankUnderPartDepth);
}

void placeHull(const TankState& t, double cannonY)
{
    t.tankWheelsSprite->setPosition(t.x + kWheelCoverPlace.dx, t.y + kWheelCoverPlace.dy, kTankHullDepth);
    t.tankBodySprite->setPosition(t.x + kBodyPlace.dx, t.y + kBodyPlace.dy, kTankHullDepth);
    t.tankBridgeSprite->setPosition(t.x + kBridgePlace.dx, t.y + kBridgePlace.dy, kTankHullDepth);
    t.tankCannonSprite->setPosition(t.x + kCannonPlace.dx, cannonY, kTankUnderPartDepth);
    for (int i = 0; i < kTankWheels; ++i)
        t.tankWheelSprite[i]->setPosition(roadWheelX(t.x, i), t.y + kFirstRoadWheelPlace.dy, kTankUnderPartDepth);
}

void setTankVisible(int p, int32_t visible)
{
    TankState& t = tank[p];
    t.tankWheelsSprite->visible = visible;
    for (Sprite* wheel : t.tankWheelSprite)
        wheel->visible = visible;
    t.tankBodySprite->visible = visible;
    t.tankBridgeSprite->visible = visible;
    t.tankCannonSprite->visible = visible;
}

}  // namespace

// Touching tanks swap their speeds: each backs off its last move, then
// moves on with the other's speed. The edge clamp follows in driveTank.
void bumpTanks()
{
    const Sprite* a = tank[0].tankWheelsSprite;
    const Sprite* b = tank[1].tankWheelsSprite;
    if (a->x() > b->x() + b->scaledWidth())
        return;
    tank[0].x -= tank[0].vx;
    tank[1].x -= tank[1].vx;
    const float swap = tank[0].vx;
    tank[0].vx = tank[1].vx;
    tank[1].vx = swap;
    tank[0].x += tank[0].vx;
    tank[1].x += tank[1].vx;
}

// Left wins when both direction keys are held.
void driveTank(int p)
{
    TankState& t = tank[p];
    if (keyHeld(playerKey(p, kLeftAction)))
        accelerateLeft(t);
    else if (keyHeld(playerKey(p, kRightAction)))
        accelerateRight(t);
    else
        coast(t);
    clampToEdges(t);
    fire(p);
    returnCannon(t);
}

void placeTankParts(int p)
{
    TankState& t = tank[p];
    placeHull(t, t.tankCannonSprite->y());
    t.tankBodySprite->setRotation(t.tilt);
    t.tankBridgeSprite->setRotation(t.tilt);
    for (Sprite* wheel : t.tankWheelSprite)
        wheel->setRotation(wheel->rotation() + 15.0 * t.vx);
    // The corners cross: the outline covers a small triangle under its top
    // edge and a larger one over its bottom edge.
    t.outline.x[0] = t.x + 15.0;
    t.outline.y[0] = kOutlineTopY;
    t.outline.x[1] = t.x + 33.0;
    t.outline.y[1] = kOutlineTopY;
    t.outline.x[2] = t.x;
    t.outline.y[2] = kOutlineBottomY;
    t.outline.x[3] = t.x + 44.0;
    t.outline.y[3] = kOutlineBottomY;
}

double roadWheelX(double tankX, int i)
{
    return tankX + kFirstRoadWheelPlace.dx + kRoadWheelSpacing * i;
}

void placeTankAtRest(int p)
{
    placeHull(tank[p], tank[p].y + kCannonRest);
}

void placeTankAsBuilt(int p)
{
    const TankState& t = tank[p];
    const auto place = [&t](Sprite* part, PartPlace at) {
        part->setPosition(t.x + at.dx, t.y + at.dy, part->depth());
        part->setRotation(0.0);
    };
    place(t.tankWheelsSprite, kWheelCoverPlace);
    place(t.tankBodySprite, kBodyPlace);
    place(t.tankBridgeSprite, kBridgePlace);
    place(t.tankCannonSprite, kCannonPlace);
    for (int i = 0; i < kTankWheels; ++i) {
        Sprite* wheel = t.tankWheelSprite[i];
        wheel->setPosition(roadWheelX(t.x, i), t.y + kFirstRoadWheelPlace.dy, wheel->depth());
        wheel->setRotation(kRoadWheelBuildTurn * i);
    }
}

void showTank(int p)
{
    setTankVisible(p, 1);
}

void hideTank(int p)
{
    setTankVisible(p, 0);
}
