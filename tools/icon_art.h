// The desktop icon: not read by the game, installed beside it for menus and
// launchers, in every size the desktop's icon theme asks for.
#pragma once

#include "image.h"

// The side the icon is drawn at, pixel for pixel; the other sizes come from it.
constexpr int kIconSize = 64;

// The sides the icon is installed at.
constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// One alien of the formation over a tank, on the night sky of the backdrop,
// size pixels square. Larger sizes repeat each pixel, so the pixel art stays
// crisp; smaller ones average the pixels they cover, so nothing vanishes.
Image makeIcon(int size = kIconSize);
