// Captions for the contact sheet, in a built-in 5 x 7 pixel font.
#pragma once

#include "image.h"

#include <string>

// Horizontal advance of one character at scale 1, pixels.
constexpr int kLabelAdvance = 6;

// Draws text with its top-left corner at (x, y), each font pixel scale x scale.
void drawLabel(Image& image, int x, int y, const std::string& text, Rgb colour, int scale = 1);
