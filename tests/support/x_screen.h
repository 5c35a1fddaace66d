// The X screen as a player sees it, for tests that run the real game: full
// 640 x 480 screenshots, the colours of what the game shows, and real key
// presses through xdotool.
#pragma once

#include "test_images.h"

#include <functional>
#include <vector>

class GameProcess;
// Xlib's display, declared as Xlib does; Xlib itself is left out of this
// header because its macros (None, Bool) clash with GoogleTest's names.
typedef struct _XDisplay Display;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// A screen area, right and bottom edges excluded.
struct Area {
    int x0, y0, x1, y1;
};

const Area kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};

// Colours of what the player sees. The loading cover is the dark blue panel
// colour; texts are the game's grey-blue drawn additively; the highlight bar
// is a pale blue block.
bool isCoverBlue(Rgb c);
bool isText(Rgb c);
bool isHighlightBar(Rgb c);

class Screenshot {
public:
    // The whole screen now; empty (every count 0) if it cannot be read.
    static Screenshot grab(Display* display);

    Rgb at(int x, int y) const { return pixels_[y * kScreenWidth + x]; }
    int count(Area a, bool (*is)(Rgb)) const;
    double share(Area a, bool (*is)(Rgb)) const;
    // Pixels whose colour changed clearly since the other screenshot.
    int differingPixels(const Screenshot& other, Area a) const;

private:
    std::vector<Rgb> pixels_;
};

// Whether the title menu's highlight is on one item, and whether the menu is
// up with the highlight there and the loading cover gone.
bool highlightOn(const Screenshot& s, int item);
bool titleMenuWithHighlightOn(const Screenshot& s, int item);

// The game's window: the top-level window named "Korvath", or 0 (an X
// Window id).
unsigned long gameWindow(Display* display);

// Real key events through the X server's test extension, to the window under
// the pointer: the game's full-screen window. `action` is key, keydown or
// keyup; `key` an X key name ("space", "Left").
bool xdotool(const char* action, const char* key);
bool xdotoolInstalled();

// Watches one running game on one display.
class ScreenWatcher {
public:
    ScreenWatcher(Display* display, GameProcess& game) : display_(display), game_(game) {}

    // Takes screenshots until `seen` holds for one, the game ends, or
    // `seconds` pass. The last screenshot stays in `screen`.
    bool waitForScreen(const std::function<bool(const Screenshot&)>& seen, double seconds = 10.0);
    // Presses a key until the screen shows its effect (holding it a while,
    // then letting go and pressing again), at most `seconds` in all; then
    // gives the game a few passes to see it released.
    bool pressUntil(const char* key, const std::function<bool(const Screenshot&)>& seen, double seconds = 20.0);

    Screenshot screen;

private:
    Display* display_;
    GameProcess& game_;
};
