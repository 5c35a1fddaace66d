#include "tank.h"

#include "game_state.h"
#include "samples.h"
#include "sprite.h"

const TankKeys tankKeys[2] = {
    {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE},
    {SDLK_a, SDLK_d, SDLK_LCTRL},
};

namespace {

constexpr float kMaxSpeed = 2.0f;
constexpr float kAcceleration = 0.125f;
constexpr float kFriction = 0.03125f;
constexpr double kMaxTilt = 8.0;
constexpr double kTiltStep = 2.0;
constexpr double kSkidPasses = 80.0;
constexpr double kCannonRest = 4.0;      // the cannon's resting height below the tank's top
constexpr double kCannonReturn = 0.15;   // it creeps back up this much per pass
constexpr int kFireVolume = 64;

bool held(SDLKey key)
{
    return keyState[key] != 0;
}

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
    if (!held(tankKeys[p].fire) || shot[p].active || cannon->y() > t.y + kCannonRest)
        return;
    shot[p].active = true;
    shot[p].x = t.x + 20.0;
    shot[p].y = t.y - 6.0;
    shot[p].bulletSprite->show();
    cannon->setPosition(cannon->x(), cannon->y() + 4.0, 1.0);
    FSOUND_SetVolume(FSOUND_PlaySound(kFireChannel + p, fireSound), kFireVolume);
}

void returnCannon(const TankState& t)
{
    Sprite* cannon = t.tankCannonSprite;
    if (cannon->y() > t.y + kCannonRest)
        cannon->setPosition(cannon->x(), cannon->y() - kCannonReturn, 1.0);
}

void placeHull(const TankState& t, double cannonY)
{
    t.tankWheelsSprite->setPosition(t.x + 1.0, t.y + 30.0, 2.0);
    t.tankBodySprite->setPosition(t.x + 6.0, t.y + 23.0, 2.0);
    t.tankBridgeSprite->setPosition(t.x + 14.0, t.y + 15.0, 2.0);
    t.tankCannonSprite->setPosition(t.x + 20.0, cannonY, 1.0);
    for (int i = 0; i < kTankWheels; ++i)
        t.tankWheelSprite[i]->setPosition(t.x + 2.0 + 11.0 * i, t.y + 37.0, 1.0);
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
    if (held(tankKeys[p].left))
        accelerateLeft(t);
    else if (held(tankKeys[p].right))
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
    t.outline.y[0] = 436.0;
    t.outline.x[1] = t.x + 33.0;
    t.outline.y[1] = 436.0;
    t.outline.x[2] = t.x;
    t.outline.y[2] = 465.0;
    t.outline.x[3] = t.x + 44.0;
    t.outline.y[3] = 465.0;
}

void placeTankAtRest(int p)
{
    placeHull(tank[p], tank[p].y + kCannonRest);
}

void showTank(int p)
{
    setTankVisible(p, 1);
}

void hideTank(int p)
{
    setTankVisible(p, 0);
}
