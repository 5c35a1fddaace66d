// The contact sheet: one PNG showing every generated picture, so a person
// can judge the whole set at once. It reads the files back from the run
// directory, so it shows exactly what the game will load: two mock screens
// (play and title menu) assembled at the game's own places, the tanks
// enlarged, then every image enlarged with its file name.
#pragma once

#include <string>

void writeContactSheet(const std::string& runDir, const std::string& pngPath);
