// The X screen as a player sees it: screenshots, the colours of what the
// game shows, and real key presses through xdotool.
#pragma once

#include "display.h"
#include "game_process.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Xlib's display, declared as Xlib does; Xlib itself is left out of this
// header because its macros (None, Bool) clash with GoogleTest's names.
typedef struct _XDisplay Display;


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

// The loading cover's dark blue, the texts' grey-blue, the pale blue bar.
bool isCoverBlue(Rgb c);
bool isText(Rgb c);
bool isHighlightBar(Rgb c);

class Screenshot {
public:
    // The screen now, or the picture enlarged `scale` times at (x, y) by one
    // pixel of each square; empty (every count 0) if it cannot be read.
    static Screenshot grab(Display* display, int x = 0, int y = 0, int scale = 1);

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

// A real key event through xdotool: `action` is key, keydown or keyup; `key`
// an X key name ("space", "Left").
bool xdotool(const char* action, const char* key);
bool xdotoolInstalled();

// A display name that no X server holds: ":140" or the next free one.
std::string freeDisplayName();

// An X server of the test's own, of any size, which the test may stop at
// any moment; ended by its id when the test is done with it.
class PrivateXServer {
public:
    explicit PrivateXServer(const std::string& size = "640x480");
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    const std::string& name() const { return name_; }
    // A connection of the caller's, to close before the server goes (or its
    // own Xlib would end the test).
    Display* open() const;
    void stop(int signal = 15);

private:
    std::string name_;
    std::unique_ptr<GameProcess> server_;
};

// The real game in a window on a 640 x 480 X display, with an empty hall of
// fame; skipped without a display of that size or xdotool. The game is ended
// by its id and held keys let go when the test ends.
class OnScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void startGame();

    // Takes screenshots until `seen` holds for one, the game ends, or
    // `seconds` pass; the last one stays in screen().
    bool waitForScreen(const std::function<bool(const Screenshot&)>& seen, double seconds = 10.0);
    // Presses a key until the screen shows its effect, at most 20 s.
    bool pressUntil(const char* key, const std::function<bool(const Screenshot&)>& seen);
    const Screenshot& screen() const { return screen_; }
    std::string gameState() { return game_->hasEnded() ? "the game ended: " + game_->summary() : ""; }

    Display* display_ = nullptr;
    RunDirectoryCopy dir_;
    std::unique_ptr<GameProcess> game_;
    Screenshot screen_;
};
