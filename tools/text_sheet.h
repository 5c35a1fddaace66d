// The game's texts in its own font, for the contact sheet: drawn the way the
// game shows them, at their sizes and in the game's text colour.
#pragma once

#include "image.h"

#include <string>

// Adds text in the game's colour, the line's top-left at (x, y), as the
// game's additive text sprites light what is under them.
void addGameText(Image& target, int x, int y, const std::string& text, int points);
// Darkens what is under the text by its ink, to black where fully inked:
// the letters cut into the highlighted menu item's bar.
void cutGameText(Image& target, int x, int y, const std::string& text, int points);

// Every text of the game, one per row at its size, captioned with its size
// and the box it is cut to.
Image gameTextsPanel(int width);
