#include "debris.h"

#include "game_state.h"
#include "sprite.h"

#include <cstdlib>

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
    sprite->setPosition(x, y, kDebrisDepth);
    piece.life = kDebrisLife;
    piece.dx = dx;
    piece.dy = dy;
}
