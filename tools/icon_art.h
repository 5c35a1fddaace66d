// The desktop icon: not read by the game, installed beside it for menus and
// launchers.
#pragma once

#include "image.h"

// Side of the square icon, pixels.
constexpr int kIconSize = 64;

// One alien of the formation over a tank, on the night sky of the backdrop.
Image makeIcon();
