// The player's settings, kept between runs in a file of their own:
// ${XDG_CONFIG_HOME:-$HOME/.config}/korvath/korvath.conf, or one named on
// the command line. Music and effects on or off, one volume for both, the
// window, its scale and the filter that enlarges it, the pacing, and the
// keys of the players' actions and pause.
//
// Without a file every setting has its default, and the game is as it
// always was. A damaged file costs one line on stderr and one default per
// problem, never the file: a file with a problem is never written, nor is
// one that cannot be read. Otherwise the file is written only when the
// player changes a setting in the game (M, N, the volume keys), by
// replacing that one value, atomically.
#pragma once

#include "display.h"
#include "fsound.h"
#include "presentation.h"

#include <SDL.h>

#include <string>

struct Settings {
    bool music = true;       // the music is heard
    bool effects = true;     // the sound effects are heard
    int volume = kFullLoudness;  // 0..10, for music and effects alike; 10 as the game sets them
    bool window = false;     // a window instead of the full screen
    Pacing pacing = Pacing::kExact;
    int scale = 0;           // the window's size in 640 x 480s, 1..4; 0 to fit the screen
    ScaleFilter filter = ScaleFilter::kSharp;  // how pixels are enlarged
};

extern Settings settings;

// The file's usual place; "" when neither XDG_CONFIG_HOME (absolute) nor
// HOME names a folder to keep it in.
std::string defaultSettingsPath();

// Reads the settings (a missing file: every default), the keys into the
// action table (keys.h). Each problem is one line on stderr, naming the
// file and line, and leaves that setting at its default.
void loadSettings(const std::string& path);

// The music, effects and volume settings into the sound's mix.
void applySoundSettings();

// The notices' pictures, made once the font can be drawn.
void makeSettingNotices();

// A key pressed in the game: M, N, minus, equals, the keypad's minus and
// plus change a setting (not during name entry, where letters are letters),
// show a notice and keep the change in the file. Returns whether it did.
bool settingKeyPressed(SDLKey key);
