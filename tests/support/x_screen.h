// The X screen as a player sees it, for tests that run the real game: full
// 640 x 480 screenshots, the colours of what the game shows, and real key
// presses through xdotool.
#pragma once

#include "game_process.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
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
// "Game Over", "You Win" and "Paused"; the name prompt, and the typed name
// right of it, below the hall of fame's rows.
const Area kBanner = {250, 220, 390, 260};
const Area kNamePrompt = {172, 352, 260, 363};
const Area kTypedNameRow = {255, 350, 470, 372};

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
    // The game's picture enlarged `scale` times with its top-left corner at
    // (x, y) of a larger screen, one pixel of each square: the same
    // picture as on a screen of its own size.
    static Screenshot grab(Display* display, int x, int y, int scale);

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

// An X server of the test's own, of any size, which the test may stop at
// any moment; ended by its id when the test is done with it.
class PrivateXServer {
public:
    explicit PrivateXServer(const std::string& size = "640x480");
    const std::string& name() const { return name_; }
    GameProcess& process() { return *server_; }
    // A connection of the caller's, to close before the server goes (or its
    // own Xlib would end the test).
    Display* open() const;
    void stop(int signal = 15);

private:
    std::string name_;
    std::unique_ptr<GameProcess> server_;
};

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

// The real game in a 640 x 480 window on the tests' own X display, in a
// copy of the run directory with an empty hall of fame, watched from the
// outside. A test is skipped without a display, on a screen of another size
// (whose pixels would not match), or without xdotool; the game is ended by
// its id when the test ends, and the keys the tests hold are let go.
class OnScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void startGame();

    bool waitForScreen(const std::function<bool(const Screenshot&)>& seen, double seconds = 10.0)
    {
        return watch_->waitForScreen(seen, seconds);
    }
    bool pressUntil(const char* key, const std::function<bool(const Screenshot&)>& seen)
    {
        return watch_->pressUntil(key, seen);
    }
    const Screenshot& screen() const { return watch_->screen; }
    std::string gameState() { return game_->hasEnded() ? "the game ended: " + game_->summary() : ""; }

    Display* display_ = nullptr;
    RunDirectoryCopy dir_;
    std::unique_ptr<GameProcess> game_;
    std::unique_ptr<ScreenWatcher> watch_;
};
