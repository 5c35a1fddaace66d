// Drawing pictures onto a larger picture the way the game's sprites draw:
// scaled and turned about their centre, without filtering, with black
// transparent, blended normally, additively or at an opacity, and tinted.
// Only the contact sheet uses this, to show how the art looks in play.
#pragma once

#include "image.h"

enum class Blend { Normal, Additive };

struct Placement {
    double centreX = 0, centreY = 0; // where the image's centre lands
    double scaleX = 1, scaleY = 1;
    double degrees = 0;              // clockwise on screen
    Colour tint = {1, 1, 1};
    double opacity = 1;
    Blend blend = Blend::Normal;
};

void drawImage(Image& target, const Image& source, const Placement& at);

// Placement of an unscaled image with its top-left corner at (x, y).
Placement topLeft(const Image& source, double x, double y);
// Placement of an image scaled by (sx, sy) with its scaled top-left at (x, y).
Placement scaledTopLeft(const Image& source, double x, double y, double sx, double sy);
// One frame of a strip of equal frames in a row.
Image frameOf(const Image& strip, int frameWidth, int index);
// Nearest-neighbour enlargement by a whole factor.
Image enlarged(const Image& source, int factor);
