// The game's pictures, each made by one function from fixed seeds.
//
// Sizes the game cuts or places by are fixed here (frame sizes, the label
// plate, the menu window, the one-pixel panel); the rest follow the places
// the game puts each image, noted at each function.
#pragma once

#include "image.h"

#include <vector>

// A player's tank colours: the hull paint and the lamp colour on it.
struct TankPaint {
    Colour hull;
    Colour lamp;
};
TankPaint playerOnePaint();
TankPaint playerTwoPaint();

// Tank parts, assembled by the game at fixed offsets from the tank's top-left
// (x, y): wheel cover (x+1, y+30), body (x+6, y+23), bridge (x+14, y+15),
// cannon (x+20, y+4), road wheels (x+2+11i, y+37).
Image makeTankWheelCover(const TankPaint& paint);
Image makeTankRoadWheel();
Image makeTankBody(const TankPaint& paint);
Image makeTankBridge(const TankPaint& paint);
Image makeTankCannon(const TankPaint& paint);

// Aliens: 9 frames of 31 x 31 in a row, played back and forth.
Image makeAlienSheet();

// Mothership: 13 frames of 100 x 60 in a row, looped; and the five pieces it
// bursts into (three hull pieces, two legs), shown like it at scale 0.64.
Image makeMothershipSheet();
std::vector<Image> makeMothershipPieces();

// Shields: the bar, 24 frames of 8 x 8 (stretched six times wide), and the
// end balls, 6 frames of 16 x 16.
Image makeShieldArcSheet();
Image makeShieldBallSheet();

// Shots: the players' shot (8 x 12) and the aliens' flare (12 x 12).
Image makeBullet();
Image makeFlare();

// Effect particles, 64 x 64, drawn at scale 0.1 to 0.5 and spun: a light
// swirl that corner colours tint, its outline, and a purple swirl.
Image makeSwirl();
Image makeSwirlOutline();
Image makePurpleSwirl();

// The 640 x 480 space scene behind everything.
Image makeBackdrop();

// Front-end windows: the one-pixel panel colour, the 170 x 50 label plate,
// the 366 x 264 menu window and the menu's highlight bar.
Image makePanelPixel();
Image makeScorePlate();
Image makeMenuWindow();
Image makeHighlightBar();
