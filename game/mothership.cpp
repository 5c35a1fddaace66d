#include "mothership.h"

#include "debris.h"
#include "depths.h"
#include "formation.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "shots.h"
#include "sprite.h"

#include <cstdlib>

namespace {

constexpr double kExitX = 700.0;
constexpr double kCrossingY = 20.0;
constexpr double kCrossingSpeed = 2.0;
constexpr double kHitWidth = 64.0;    // the ship as drawn at kMothershipScale
constexpr double kHitHeight = 53.0;
constexpr uint32_t kMothershipPoints = 50;

bool shotHits(const PlayerShot& s)
{
    const ShotHitPoints h = shotHitPoints(s, ShotTarget::kMothership);
    const bool rows = within(0.0, h.top, kHitHeight) || within(0.0, h.bottom, kHitHeight);
    const bool columns = within(mothershipX, h.left, mothershipX + kHitWidth) ||
                         within(mothershipX, h.right, mothershipX + kHitWidth);
    return rows && columns;
}

void enter()
{
    playSample(kMothershipChannel, mothershipSound, kFullVolume);
    mothershipX = kMothershipEntryX;
    mothershipActive = true;
    mothershipSprite->setPosition(kMothershipEntryX, 0.0, kMothershipDepth);
    mothershipSprite->show();
}

void breakUp(int p)
{
    mothershipOff();
    tank[p].score += kMothershipPoints;
    showScore(p);
    playEffect(explosionSound);
    const PlayerShot& s = shot[p];
    const double x = s.x + s.bulletSprite->scaledWidth() / 2;
    for (int i = 0; i < kDebrisPieces; ++i) {
        const double side = debrisSide(i);
        const double dy = debrisRise(i) + 3.0;
        launchDebris(mothershipDebris[i], mothershipDebrisSprite[i], x, s.y, side + 2.0, dy);
        mothershipDebrisSprite[i]->show();
        mothershipDebrisSprite[i]->spin = debrisSpin();
    }
    revealPoint = {mothershipX + 10.0, mothershipY + 10.0};
    revealNearAliens();
}

}  // namespace

void mothershipOff()
{
    mothershipActive = false;
    mothershipSprite->hide();
    FSOUND_StopSound(kMothershipChannel);
}

void mothershipStep()
{
    if (!mothershipActive) {
        if (std::rand() % 1000 == kMothershipEntryChance)
            enter();
        return;
    }
    mothershipX += kCrossingSpeed;
    mothershipY = kCrossingY;
    mothershipSprite->setPosition(mothershipX, kCrossingY, kMothershipDepth);
    if (mothershipX > kExitX)
        mothershipOff();
    // The shot that destroys it flies on; a second shot in the same pass
    // finds it gone.
    for (uint32_t p = 0; p < playerCount && mothershipActive; ++p)
        if (shot[p].active && shotHits(shot[p]))
            breakUp(int(p));
}
