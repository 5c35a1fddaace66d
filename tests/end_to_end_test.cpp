// The real game played from the outside, as a player would: it runs in a
// copy of the run directory with an empty hall of fame, gets real key
// presses through xdotool, and is judged by what the screen shows. One
// session goes through loading, the title menu, a one-player game that is
// started and abandoned, name entry, the hall of fame and "Quit". It runs
// with --window, whose fixed 640 x 480 window Alt+Enter switches to the full
// screen and back; under Xvfb no window manager answers that request, so the
// switch shows only in the window's size hints.
#include "game_process.h"
#include "x_screen.h"

#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {

// Where things stand on screen. The menu window (366 x 264) is centred, so
// its left edge is at 137 and the hall of fame's names start at 172.
const Area kLoadingText = {200, 222, 440, 258};
const Area kAddressLine = {200, 452, 440, 478};
const Area kFirstHallOfFameName = {172, 132, 230, 148};
const Area kBackBar = {305, 330, 335, 352};

bool fixedAt640By480(Display* display, Window window)
{
    XSizeHints hints = {};
    long supplied = 0;
    return XGetWMNormalHints(display, window, &hints, &supplied) && (hints.flags & PMinSize) &&
           (hints.flags & PMaxSize) && hints.min_width == 640 && hints.max_width == 640 &&
           hints.min_height == 480 && hints.max_height == 480;
}

class EndToEndTest : public OnScreenTest {
protected:
    void SetUp() override
    {
        OnScreenTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            startGame();
    }
};

TEST_F(EndToEndTest, OnePlayerGameToTheHallOfFameAndQuit)
{
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) {
        return s.share(kWholeScreen, isCoverBlue) > 0.8 && s.count(kLoadingText, isText) >= 300 &&
               s.count(kAddressLine, isText) >= 300;
    })) << "the loading screen: dark blue cover, loading text and address line. " << gameState();

    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); }))
        << "the title menu with \"One Player\" highlighted. " << gameState();

    const Window window = gameWindow(display_);
    XWindowAttributes attributes;
    ASSERT_TRUE(window);
    ASSERT_TRUE(XGetWindowAttributes(display_, window, &attributes));
    EXPECT_EQ(attributes.width, 640);
    EXPECT_EQ(attributes.height, 480);
    const auto fixed = [&](const Screenshot&) { return fixedAt640By480(display_, window); };
    EXPECT_TRUE(waitForScreen(fixed)) << "a window, not the full screen";
    xdotool("key", "alt+Return");
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) { return !fixed(s); })) << "asks for the full screen";
    xdotool("key", "alt+Return");
    EXPECT_TRUE(waitForScreen(fixed)) << "a window again";
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); }))
        << "the title menu still shows after the switches. " << gameState();

    // One player: the menu goes.
    ASSERT_TRUE(pressUntil("space", [](const Screenshot& s) { return !highlightOn(s, 0); }))
        << "Space on \"One Player\" starts a game. " << gameState();

    // Escape abandons the game: "Game Over" fades in where the banner stands.
    ASSERT_TRUE(xdotool("key", "Escape"));
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return s.count(kBanner, isText) >= 400; }))
        << "\"Game Over\" after Escape. " << gameState();

    // A score of 0 still beats an empty hall of fame: the game asks a name.
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) {
        return s.count(kNamePrompt, isText) >= 120 && s.count(kBanner, isText) < 100;
    })) << "\"Enter your name\" once the game has ended. " << gameState();
    EXPECT_LT(screen().count(kFirstHallOfFameName, isText), 10) << "the first place holds no name yet";

    for (const char* letter : {"k", "o", "r", "v"}) {
        const Screenshot before = screen();
        EXPECT_TRUE(pressUntil(letter, [&](const Screenshot& s) {
            return s.differingPixels(before, kTypedNameRow) >= 10;
        })) << "the typed name grows by '" << letter << "'. " << gameState();
    }

    ASSERT_TRUE(pressUntil("Return", [](const Screenshot& s) { return s.share(kBackBar, isHighlightBar) >= 0.5; }))
        << "Return ends name entry and shows \"Back\". " << gameState();
    EXPECT_GE(screen().count(kFirstHallOfFameName, isText), 60) << "the new name in first place on screen";
    EXPECT_LT(screen().count(kNamePrompt, isText), 20) << "the prompt is gone";

    std::vector<uint8_t> saved(160, 0);
    std::copy_n("korv", 4, saved.begin());
    EXPECT_EQ(readBytes(dir_.file("media/font/scores.txt")), saved) << "the typed name in record 0, scoring 0";

    ASSERT_TRUE(pressUntil("space", [](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); }))
        << "Space leaves the hall of fame for the title menu. " << gameState();
    for (int item = 1; item <= 3; ++item)
        ASSERT_TRUE(pressUntil("Down", [item](const Screenshot& s) { return titleMenuWithHighlightOn(s, item); }))
            << "Down moves the highlight to item " << item << ". " << gameState();

    xdotool("keydown", "space");
    const bool ended = game_->waitForEnd(10.0);
    xdotool("keyup", "space");
    ASSERT_TRUE(ended) << "Space on \"Quit\" ends the game";
    EXPECT_EQ(game_->exitCode(), 0) << game_->summary();
}

}  // namespace
