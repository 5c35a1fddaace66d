// Making text into textures and sprites, the way every fixed text of the
// game is made: measure it at its size, draw it on a blank surface of that
// width, cut the texture, throw the surface away.
#pragma once

#include <SDL.h>

class Sprite;
class Texture;

// Point sizes in use.
constexpr int kSmallTextPoints = 16;   // labels, digits, hall-of-fame lines, typed name
constexpr int kCreditPoints = 20;
constexpr int kMenuPoints = 24;
constexpr int kBannerPoints = 32;      // "Game Over", "You Win", the loading screen
constexpr int kLevelBannerPoints = 40;

// Width in pixels of text at a point size, measured on a scratch surface.
int measureText(const char* text, int points);

// Text drawn at (0, drawY) on a blank surface as wide as the text and
// `height` high, in the game's text colour. Surfaces 40 high take their
// text 4 pixels up (drawY -4), which trims the font's empty top rows.
Texture* makeTextTexture(const char* text, int points, unsigned height, short drawY);

// Text cut as holes into the menu's highlight bar: w x 26 pixels.
Texture* makeHighlightTexture(const char* text);

// A sprite with additive blending, as every text and glow is drawn.
Sprite* makeAdditiveSprite(Texture* texture, double x, double y, double depth);

// A sprite centred on x = 320 for a texture of the given image width, as
// the banners and labels are: x = 320 - width / 2, the half rounded down.
double centredX(unsigned imageWidth);
