#include "mothership.h"

#include "debris.h"
#include "formation.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "sprite.h"

#include <cstdlib>

namespace {

constexpr double kEntryX = -50.0;
constexpr double kExitX = 700.0;
constexpr double kCrossingY = 20.0;
constexpr double kCrossingSpeed = 2.0;
constexpr double kHitWidth = 64.0;    // the ship as drawn at scale 0.64
constexpr double kHitHeight = 53.0;
constexpr uint32_t kMothershipPoints = 50;

bool within(double low, double v, double high)
{
    return low <= v && v <= high;
}

bool shotHits(const PlayerShot& s)
{
    const bool rows = within(0.0, s.y + 2, kHitHeight) || within(0.0, s.y + 5, kHitHeight);
    const bool columns = within(mothershipX, s.x + 2, mothershipX + kHitWidth) ||
                         within(mothershipX, s.x + 5, mothershipX + kHitWidth);
    return rows && columns;
}

void enter()
{
    FSOUND_SetVolume(FSOUND_PlaySound(kMothershipChannel, mothershipSound), 255);
    mothershipX = kEntryX;
    mothershipActive = true;
    mothershipSprite->setPosition(kEntryX, 0.0, 2.0);
    mothershipSprite->show();
}

void breakUp(int p)
{
    mothershipOff();
    tank[p].score += kMothershipPoints;
    showScore(p);
    FSOUND_SetVolume(FSOUND_PlaySound(FSOUND_FREE, explosionSound), 64);
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
    mothershipSprite->setPosition(mothershipX, kCrossingY, 2.0);
    if (mothershipX > kExitX)
        mothershipOff();
    // The shot that destroys it flies on; a second shot in the same pass
    // finds it gone.
    for (uint32_t p = 0; p < playerCount && mothershipActive; ++p)
        if (shot[p].active && shotHits(shot[p]))
            breakUp(int(p));
}
