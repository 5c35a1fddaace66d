// The media catalogue: every file the game reads from media/, where it goes
// and how it is made. Paths here are relative to the run directory, with
// forward slashes (the game's "media\sprites\bullet.tga" is
// "media/sprites/bullet.tga").
#pragma once

#include <string>
#include <vector>

// The game's only font, Square Bold (square_font.h).
constexpr const char* kFontFile = "media/Square Bold.ttf";

// The hall-of-fame file: ten records of a 12-byte name and a 32-bit score.
constexpr const char* kScoreFile = "media/font/scores.txt";
constexpr size_t kScoreFileBytes = 160;

// The pictures, in the order the contact sheet shows them.
std::vector<std::string> imagePaths();

// Writes every picture, sound and the font into runDir/media, then the score
// file if it is missing. Throws if any file cannot be written.
void writeAllMedia(const std::string& runDir);
// Creates runDir/media/font/scores.txt as 160 zero bytes when it does not
// exist; an existing file (a player's scores) is never touched.
void ensureScoreFile(const std::string& runDir);
