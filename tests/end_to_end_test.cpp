// The real game played from the outside, as a player would: it runs in a
// copy of the run directory with an empty hall of fame, gets real key
// presses through xdotool, and is judged by what the screen shows. One
// session goes through loading, the title menu, a one-player game that is
// driven, fired and abandoned, name entry, the hall of fame and "Quit".
#include "game_process.h"

#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kHallOfFameBytes = 160;
// About two passes of the game between screenshots.
constexpr int kPollMs = 30;

struct Rgb {
    int r, g, b;
};

// A screen area, right and bottom edges excluded.
struct Area {
    int x0, y0, x1, y1;
};

const Area kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};

// Colours of what the player sees. The loading cover is the dark blue panel
// colour; texts are the game's grey-blue drawn additively; the highlight bar
// is a pale blue block; the tank is green; shots and their trail are near
// white.
bool isCoverBlue(Rgb c) { return std::abs(c.r - 16) <= 8 && std::abs(c.g - 24) <= 8 && std::abs(c.b - 58) <= 8; }
bool isText(Rgb c) { return c.b >= 130 && c.g >= 90 && c.g > c.r + 5 && c.b > c.g; }
bool isHighlightBar(Rgb c) { return c.r >= 100 && c.g >= 140 && c.b >= 200; }
bool isTankGreen(Rgb c) { return c.g >= 90 && c.g > c.r + 10 && c.g > c.b + 30; }
bool isBright(Rgb c) { return c.r + c.g + c.b >= 450; }

class Screenshot {
public:
    static Screenshot grab(Display* display)
    {
        Screenshot shot;
        XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, kScreenWidth, kScreenHeight,
                                  AllPlanes, ZPixmap);
        if (!image)
            return shot;
        shot.pixels_.reserve(kScreenWidth * kScreenHeight);
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const unsigned long p = pixelAt(image, x, y);
                shot.pixels_.push_back({channel(p, image->red_mask), channel(p, image->green_mask),
                                        channel(p, image->blue_mask)});
            }
        XDestroyImage(image);
        return shot;
    }

    Rgb at(int x, int y) const { return pixels_[y * kScreenWidth + x]; }

    int count(Area a, bool (*is)(Rgb)) const
    {
        if (pixels_.empty())
            return 0;
        int n = 0;
        for (int y = a.y0; y < a.y1; ++y)
            for (int x = a.x0; x < a.x1; ++x)
                n += is(at(x, y));
        return n;
    }

    double share(Area a, bool (*is)(Rgb)) const { return double(count(a, is)) / ((a.x1 - a.x0) * (a.y1 - a.y0)); }

    int differingPixels(const Screenshot& other, Area a) const
    {
        int n = 0;
        for (int y = a.y0; y < a.y1; ++y)
            for (int x = a.x0; x < a.x1; ++x)
                n += std::abs(at(x, y).r - other.at(x, y).r) + std::abs(at(x, y).g - other.at(x, y).g) +
                         std::abs(at(x, y).b - other.at(x, y).b) > 60;
        return n;
    }

private:
    static int channel(unsigned long pixel, unsigned long mask)
    {
        return mask ? int((pixel & mask) >> __builtin_ctzl(mask)) : 0;
    }

    // Screenshots are taken many times a second while the game runs on the
    // same cores, so the usual 32-bit layout is read directly.
    static unsigned long pixelAt(XImage* image, int x, int y)
    {
        if (image->bits_per_pixel != 32 || image->byte_order != LSBFirst)
            return XGetPixel(image, x, y);
        return *reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line + 4 * x);
    }

    std::vector<Rgb> pixels_;
};

// Where things stand on screen. The menu window (366 x 264) is centred, so
// its left edge is at 137 and the hall of fame's names start at 172.
Area menuItemBar(int item) { return {300, 146 + 40 * item, 340, 168 + 40 * item}; }
const Area kLoadingText = {200, 222, 440, 258};
const Area kAddressLine = {200, 452, 440, 478};
const Area kTankRow = {0, 440, kScreenWidth, 478};
const Area kEndBanner = {250, 220, 390, 260};
const Area kNamePrompt = {172, 352, 260, 363};
const Area kTypedNameRow = {255, 350, 470, 372};
const Area kFirstHallOfFameName = {172, 132, 230, 148};
const Area kBackBar = {305, 330, 335, 352};

bool highlightOn(const Screenshot& s, int item) { return s.share(menuItemBar(item), isHighlightBar) >= 0.55; }

bool titleMenuWithHighlightOn(const Screenshot& s, int item)
{
    for (int i = 0; i < 4; ++i)
        if (highlightOn(s, i) != (i == item))
            return false;
    return s.share(kWholeScreen, isCoverBlue) < 0.2;
}

// The tank's middle: the mean x of its green pixels, or -1 when it is not
// in sight.
double tankCentre(const Screenshot& s)
{
    long sum = 0;
    int n = 0;
    for (int y = kTankRow.y0; y < kTankRow.y1; ++y)
        for (int x = kTankRow.x0; x < kTankRow.x1; ++x)
            if (isTankGreen(s.at(x, y))) {
                sum += x;
                ++n;
            }
    return n >= 100 ? double(sum) / n : -1.0;
}

// The column above the tank, up to the shield row, where its shot flies.
Area aboveTheTank(double centre)
{
    return {std::max(0, int(centre) - 30), 150, std::min(kScreenWidth, int(centre) + 30), 425};
}

// Real key events through the X server's test extension, to the window
// under the pointer: the game's full-screen window.
bool xdotool(const char* action, const char* key)
{
    return std::system((std::string("xdotool ") + action + " " + key).c_str()) == 0;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display (DISPLAY is not set): the game needs one to run";
        if (std::system("command -v xdotool >/dev/null") != 0)
            GTEST_SKIP() << "xdotool is not installed: it sends the key presses";
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "cannot open the X display " << std::getenv("DISPLAY");
        const Screen* screen = DefaultScreenOfDisplay(display_);
        if (screen->width != kScreenWidth || screen->height != kScreenHeight)
            GTEST_SKIP() << "the X screen is " << screen->width << " x " << screen->height
                         << "; the game's pixels are checked on a 640 x 480 screen";

        std::ofstream(dir_.file("media/font/scores.txt"), std::ios::binary)
            << std::string(kHallOfFameBytes, '\0');
        game_ = std::make_unique<GameProcess>(dir_.path());
    }

    void TearDown() override
    {
        for (const char* key : {"Left", "space", "Down", "Return"})
            if (display_)
                xdotool("keyup", key);
        game_.reset();
        if (display_)
            XCloseDisplay(display_);
    }

    // Takes screenshots until `seen` holds for one, the game ends, or
    // `seconds` pass. The last screenshot stays in `screen`.
    bool waitForScreen(const std::function<bool(const Screenshot&)>& seen, double seconds = 10.0)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            screen = Screenshot::grab(display_);
            if (seen(screen))
                return true;
            if (game_->hasEnded() || std::chrono::steady_clock::now() > deadline)
                return false;
            sleepMs(kPollMs);
        }
    }

    // Holds a key until the screen shows its effect, then lets it go and
    // gives the game a few passes to see it released.
    bool pressUntil(const char* key, const std::function<bool(const Screenshot&)>& seen, double seconds = 5.0)
    {
        xdotool("keydown", key);
        const bool happened = waitForScreen(seen, seconds);
        xdotool("keyup", key);
        sleepMs(100);
        return happened;
    }

    std::string gameState() { return game_->hasEnded() ? "the game ended: " + game_->summary() : ""; }

    Display* display_ = nullptr;
    RunDirectoryCopy dir_;
    std::unique_ptr<GameProcess> game_;
    Screenshot screen;
};

TEST_F(EndToEndTest, OnePlayerGameToTheHallOfFameAndQuit)
{
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) {
        return s.share(kWholeScreen, isCoverBlue) > 0.8 && s.count(kLoadingText, isText) >= 300 &&
               s.count(kAddressLine, isText) >= 300;
    })) << "the loading screen: dark blue cover, loading text and address line. " << gameState();

    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); }))
        << "the title menu with \"One Player\" highlighted. " << gameState();

    // One player: the menu goes and the tank stands at the bottom.
    ASSERT_TRUE(pressUntil("space", [](const Screenshot& s) { return !highlightOn(s, 0) && tankCentre(s) > 0; }))
        << "Space on \"One Player\" starts a game with the tank in sight. " << gameState();
    const double start = tankCentre(screen);

    // Held Left drives it to the left edge, clear of the shields.
    ASSERT_TRUE(pressUntil("Left", [&](const Screenshot& s) {
        const double x = tankCentre(s);
        return x > 0 && x < 115;
    })) << "the tank drives left while Left is held (it started at x " << start << "). " << gameState();
    sleepMs(100);
    screen = Screenshot::grab(display_);
    const double parked = tankCentre(screen);
    ASSERT_GT(parked, 0) << gameState();
    const int brightBefore = screen.count(aboveTheTank(parked), isBright);

    // Space fires: the shot and its trail light up the column above it.
    EXPECT_TRUE(pressUntil("space", [&](const Screenshot& s) {
        return s.count(aboveTheTank(parked), isBright) >= brightBefore + 100;
    })) << "a shot and its trail above the tank after Space. " << gameState();

    // Escape abandons the game: "Game Over" fades in where the banner stands.
    ASSERT_TRUE(xdotool("key", "Escape"));
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return s.count(kEndBanner, isText) >= 400; }))
        << "\"Game Over\" after Escape. " << gameState();

    // A score of 0 still beats an empty hall of fame: the game asks a name.
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) {
        return s.count(kNamePrompt, isText) >= 120 && s.count(kEndBanner, isText) < 100;
    })) << "\"Enter your name\" once the game has ended. " << gameState();
    EXPECT_LT(screen.count(kFirstHallOfFameName, isText), 10) << "the first place holds no name yet";

    for (const char* letter : {"k", "o", "r", "v"}) {
        const Screenshot before = screen;
        EXPECT_TRUE(pressUntil(letter, [&](const Screenshot& s) {
            return s.differingPixels(before, kTypedNameRow) >= 10;
        })) << "the typed name grows by '" << letter << "'. " << gameState();
    }

    ASSERT_TRUE(pressUntil("Return", [](const Screenshot& s) { return s.share(kBackBar, isHighlightBar) >= 0.5; }))
        << "Return ends name entry and shows \"Back\". " << gameState();
    EXPECT_GE(screen.count(kFirstHallOfFameName, isText), 60) << "the new name in first place on screen";
    EXPECT_LT(screen.count(kNamePrompt, isText), 20) << "the prompt is gone";

    std::ifstream file(dir_.file("media/font/scores.txt"), std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(saved.size(), size_t(kHallOfFameBytes));
    EXPECT_EQ(saved.substr(0, 5), std::string("korv\0", 5)) << "record 0 holds the typed name";
    EXPECT_EQ(saved.substr(16), std::string(kHallOfFameBytes - 16, '\0')) << "the other records stay empty";

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
