// Making text into textures and sprites, the way every fixed text of the
// game is made: measure it at its size, draw it on a blank surface of that
// width, cut the texture, throw the surface away.
#pragma once

#include <SDL.h>

#include <memory>

class NoticePicture;
class Sprite;
class Texture;

// Surface heights: a line of text; banners are kBannerHeight (hud.h).
constexpr unsigned kTextLineHeight = 30;

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

// A banner's text at 32 pt, 40 high and drawn 4 pixels up: "Game Over",
// "You Win", "Paused", the loading screen.
Texture* makeBannerTexture(const char* text);

// Text cut as holes into the menu's highlight bar: w x 26 pixels.
Texture* makeHighlightTexture(const char* text);

// A notice's picture (notice.h): text at 24 pt in the middle of a plate
// kNoticeHeight high.
constexpr unsigned kNoticeHeight = 28;
std::unique_ptr<NoticePicture> makeNoticePicture(const char* text);
