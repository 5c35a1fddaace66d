// Debris: the five pieces every destruction throws out. They fly on a
// ballistic path for 300 passes, in every mode, trailing smoke for their
// first 50.
#pragma once

#include "depths.h"
#include "game_state.h"
#include "sprite.h"

constexpr double kDebrisLife = 300.0;
constexpr double kSmokeLife = 250.0;   // pieces smoke while their life is above this
constexpr double kDebrisGravity = 0.07;

// The sideways kick of piece i: to the left or the right, by chance.
double debrisSide(int i);
// The upward throw of piece i.
double debrisRise(int i);
// The spin of a tumbling piece, degrees per drawn frame.
double debrisSpin();

// Starts a piece at (x, y) with its speeds.
void launchDebris(DebrisPiece& piece, Sprite* sprite, double x, double y, double dx, double dy);

// One pass of a piece in flight: it moves by its speeds and falls, feeds
// its smoke with feedSmoke(x, y, still smoking), and counts its life down.
// A piece whose life has run out is hidden if hideAtRest (the tanks' and
// the mothership's; alien pieces are never shown). The smoke is the main
// loop's to feed: the rules of play know nothing of the effects.
template <typename FeedSmoke>
void flyDebris(DebrisPiece& piece, Sprite* sprite, bool hideAtRest, FeedSmoke feedSmoke)
{
    if (piece.life != 0.0) {
        sprite->setPosition(sprite->x() + piece.dx, sprite->y() + piece.dy, kDebrisDepth);
        piece.dy += kDebrisGravity;
        feedSmoke(sprite->x(), sprite->y(), piece.life > kSmokeLife);
        piece.life -= 1.0;
    }
    if (piece.life == 0.0 && hideAtRest)
        sprite->hide();
}
