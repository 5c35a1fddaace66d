#include "x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

namespace {

constexpr int kHallOfFameBytes = 160;

// About two passes of the game between screenshots.
constexpr int kPollMs = 30;
// How long one press is held while its effect is awaited, and how long the
// effect is still awaited after the key is let go.
constexpr double kPressSeconds = 1.5;
constexpr double kReleaseSeconds = 0.3;
constexpr double kPressingSeconds = 20.0;  // at most, for one key's effect

uint8_t channel(unsigned long pixel, unsigned long mask)
{
    return mask ? uint8_t((pixel & mask) >> __builtin_ctzl(mask)) : 0;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The middle 28 pixels of each bar: "Quit", the narrowest item, is 31 wide.
Area menuItemBar(int item) { return {306, 146 + 40 * item, 334, 168 + 40 * item}; }

}  // namespace

bool isCoverBlue(Rgb c) { return std::abs(c.r - 16) <= 8 && std::abs(c.g - 24) <= 8 && std::abs(c.b - 58) <= 8; }
bool isText(Rgb c) { return c.b >= 130 && c.g >= 90 && c.g > c.r + 5 && c.b > c.g; }
bool isHighlightBar(Rgb c) { return c.r >= 100 && c.g >= 140 && c.b >= 200; }

Screenshot Screenshot::grab(Display* display, int left, int top, int scale)
{
    Screenshot shot;
    XImage* image = XGetImage(display, DefaultRootWindow(display), left, top, unsigned(kScreenWidth * scale),
                              unsigned(kScreenHeight * scale), AllPlanes, ZPixmap);
    if (!image)
        return shot;
    shot.pixels_.reserve(kScreenWidth * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const unsigned long p = XGetPixel(image, x * scale, y * scale);
            shot.pixels_.push_back({channel(p, image->red_mask), channel(p, image->green_mask),
                                    channel(p, image->blue_mask)});
        }
    XDestroyImage(image);
    return shot;
}

int Screenshot::count(Area a, bool (*is)(Rgb)) const
{
    if (pixels_.empty())
        return 0;
    int n = 0;
    for (int y = a.y0; y < a.y1; ++y)
        for (int x = a.x0; x < a.x1; ++x)
            n += is(at(x, y));
    return n;
}

double Screenshot::share(Area a, bool (*is)(Rgb)) const
{
    return double(count(a, is)) / ((a.x1 - a.x0) * (a.y1 - a.y0));
}

int Screenshot::differingPixels(const Screenshot& other, Area a) const
{
    if (pixels_.empty() || other.pixels_.empty())
        return 0;
    int n = 0;
    for (int y = a.y0; y < a.y1; ++y)
        for (int x = a.x0; x < a.x1; ++x) {
            const Rgb p = at(x, y), q = other.at(x, y);
            n += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60;
        }
    return n;
}

bool highlightOn(const Screenshot& s, int item) { return s.share(menuItemBar(item), isHighlightBar) >= 0.55; }

bool titleMenuWithHighlightOn(const Screenshot& s, int item)
{
    for (int i = 0; i < 4; ++i)
        if (highlightOn(s, i) != (i == item))
            return false;
    return s.share(kWholeScreen, isCoverBlue) < 0.2;
}

unsigned long gameWindow(Display* display)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name && std::strcmp(name, "Korvath") == 0)
            found = children[i];
        XFree(name);
    }
    XFree(children);
    return found;
}

bool xdotool(const char* action, const char* key)
{
    return std::system((std::string("xdotool ") + action + " " + key).c_str()) == 0;
}

bool xdotoolInstalled()
{
    return std::system("command -v xdotool >/dev/null") == 0;
}

std::string freeDisplayName()
{
    int n = 140;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
        ++n;
    return ":" + std::to_string(n);
}

PrivateXServer::PrivateXServer(const std::string& size) : name_(freeDisplayName())
{
    server_ = std::make_unique<GameProcess>(".", std::vector<std::string>{"Xvfb", name_, "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"});
    // Ready once it answers a client.
    if (Display* ready = open())
        XCloseDisplay(ready);
}

// A server killed outright leaves its socket and lock behind: they go with
// it, so that dead servers' names do not pile up in /tmp.
PrivateXServer::~PrivateXServer()
{
    server_.reset();
    std::error_code gone;
    std::filesystem::remove("/tmp/.X11-unix/X" + name_.substr(1), gone);
    std::filesystem::remove("/tmp/.X" + name_.substr(1) + "-lock", gone);
}

Display* PrivateXServer::open() const
{
    Display* screen = nullptr;
    for (int tries = 0; !screen && tries < 100 && !server_->hasEnded(); ++tries) {
        screen = XOpenDisplay(name_.c_str());
        if (!screen)
            sleepMs(50);
    }
    return screen;
}

void PrivateXServer::stop(int signal)
{
    kill(server_->pid(), signal);
    server_->waitForEnd(10.0);
}

bool OnScreenTest::waitForScreen(const std::function<bool(const Screenshot&)>& seen, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        screen_ = Screenshot::grab(display_);
        if (seen(screen_))
            return true;
        if (game_->hasEnded() || std::chrono::steady_clock::now() > deadline)
            return false;
        sleepMs(kPollMs);
    }
}

bool OnScreenTest::pressUntil(const char* key, const std::function<bool(const Screenshot&)>& seen)
{
    // The menus' latch, and a busy machine's late passes: a press that shows
    // nothing is let go and made again.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kPressingSeconds);
    for (;;) {
        xdotool("keydown", key);
        bool happened = waitForScreen(seen, kPressSeconds);
        xdotool("keyup", key);
        happened = happened || waitForScreen(seen, kReleaseSeconds);
        if (happened) {
            sleepMs(100);  // a few passes to see the key released
            return true;
        }
        if (game_->hasEnded() || std::chrono::steady_clock::now() > deadline)
            return false;
    }
}

void OnScreenTest::SetUp()
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display (DISPLAY is not set): the game needs one to run";
    if (!xdotoolInstalled())
        GTEST_SKIP() << "xdotool is not installed: it sends the key presses";
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "cannot open the X display " << std::getenv("DISPLAY");
    const Screen* screen = DefaultScreenOfDisplay(display_);
    if (screen->width != kScreenWidth || screen->height != kScreenHeight)
        GTEST_SKIP() << "the X screen is " << screen->width << " x " << screen->height
                     << "; the game's pixels are checked on a 640 x 480 screen";
    std::ofstream(dir_.file("media/font/scores.txt"), std::ios::binary) << std::string(kHallOfFameBytes, '\0');
}

void OnScreenTest::TearDown()
{
    game_.reset();
    if (!display_)
        return;
    for (const char* key : {"space", "Down", "Return"})
        xdotool("keyup", key);
    XCloseDisplay(display_);
}

void OnScreenTest::startGame()
{
    game_ = std::make_unique<GameProcess>(dir_.path(), std::vector<std::string>{"./korvath", "--window"});
}
