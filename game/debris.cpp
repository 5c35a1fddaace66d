#include "debris.h"

#include "debris_smoke.h"
#include "game_state.h"
#include "sprite.h"

#include <cstdlib>

namespace {

constexpr double kSmokeDepth = 90.0;

// A piece in flight moves by its speeds and falls; its life counts down
// after its smoke has been fed. A piece whose life has run out is hidden
// (the tanks' and the mothership's; alien pieces are never shown).
template <typename FeedSmoke>
void flyPiece(DebrisPiece& piece, Sprite* sprite, bool hideAtRest, FeedSmoke feedSmoke)
{
    if (piece.life != 0.0) {
        sprite->setPosition(sprite->x() + piece.dx, sprite->y() + piece.dy, 3.0);
        piece.dy += kDebrisGravity;
        feedSmoke(sprite->x(), sprite->y(), piece.life > kSmokeLife);
        piece.life -= 1.0;
    }
    if (piece.life == 0.0 && hideAtRest)
        sprite->hide();
}

}  // namespace

double debrisSide(int i)
{
    return std::rand() % 6 < 3 ? (-1.4 - i) / 2 : (i + 1.4) / 2;
}

double debrisRise(int i)
{
    return (std::rand() % 20 - 16) / 30.0 - i;
}

double debrisSpin()
{
    return (std::rand() % 100 - 50) / 5.0;
}

void launchDebris(DebrisPiece& piece, Sprite* sprite, double x, double y, double dx, double dy)
{
    sprite->setPosition(x, y, 3.0);
    piece.life = kDebrisLife;
    piece.dx = dx;
    piece.dy = dy;
}

// Piece by piece, in a fixed order: the tanks', the mothership's, then the
// alien explosion slots'. The smoke of each follows its move at once.
void debrisStep()
{
    for (int i = 0; i < kDebrisPieces; ++i) {
        for (uint32_t p = 0; p < playerCount; ++p)
            flyPiece(tankDebris[p][i], tankDebrisSprite[p][i], true, [&](double x, double y, bool emit) {
                updateTankDebrisSmoke(x, y, kSmokeDepth, emit, i, int(p));
            });
        flyPiece(mothershipDebris[i], mothershipDebrisSprite[i], true, [&](double x, double y, bool emit) {
            updateMothershipDebrisSmoke(x, y, kSmokeDepth, emit, i);
        });
        for (int s = 0; s < kExplosionSlots; ++s)
            flyPiece(alienDebris[i][s], alienDebrisSprite[i][s], false, [&](double x, double y, bool emit) {
                updateAlienDebrisSmoke(x, y, kSmokeDepth, emit, i, s);
            });
    }
}
