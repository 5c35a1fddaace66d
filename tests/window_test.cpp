// `korvath --window` under X: the game opens a 640 x 480 window of fixed
// size instead of taking the screen, and Alt+Enter asks for the full screen
// and back while the game runs on and still quits cleanly. Under Xvfb no
// window manager answers the request, so the switch shows only in the
// window's size hints: a window that asks for the full screen gives up its
// fixed size.
#include "game_process.h"

#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

namespace {

constexpr double kPatienceSeconds = 30.0;

// Waits until `seen` holds or the time runs out.
bool waitFor(const std::function<bool()>& seen)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kPatienceSeconds);
    while (!seen()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The game's window: the top-level window named "Korvath", or 0.
Window gameWindow(Display* display)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
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

bool fixedAt640By480(Display* display, Window window)
{
    XSizeHints hints = {};
    long supplied = 0;
    if (!XGetWMNormalHints(display, window, &hints, &supplied))
        return false;
    return (hints.flags & PMinSize) && (hints.flags & PMaxSize) && hints.min_width == 640 &&
           hints.max_width == 640 && hints.min_height == 480 && hints.max_height == 480;
}

void altEnter()
{
    std::system("xdotool mousemove 320 240 key alt+Return");
}

TEST(WindowTest, AFixedWindowThatAltEnterSwitchesWhileTheGameRuns)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display (DISPLAY is not set)";
    if (std::system("command -v xdotool >/dev/null") != 0)
        GTEST_SKIP() << "xdotool is not installed: it sends the key presses";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);

    RunDirectoryCopy dir;
    GameProcess game(dir.path(), {"./korvath", "--window"});
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = gameWindow(display)) != 0 || game.hasEnded(); }) && window)
        << game.summary();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
    EXPECT_EQ(attributes.width, 640);
    EXPECT_EQ(attributes.height, 480);
    // The hints may follow the window's name by a moment.
    EXPECT_TRUE(waitFor([&] { return fixedAt640By480(display, window); })) << "a window, not the full screen";

    altEnter();
    EXPECT_TRUE(waitFor([&] { return !fixedAt640By480(display, window); })) << "asks for the full screen";
    altEnter();
    EXPECT_TRUE(waitFor([&] { return fixedAt640By480(display, window); })) << "a window again";

    // Still running: the loop takes the platform's quit request as ever.
    ASSERT_TRUE(game.catchesQuitSignal());
    game.requestQuit();
    ASSERT_TRUE(game.waitForEnd(kPatienceSeconds));
    EXPECT_EQ(game.exitCode(), 0) << game.summary();
    XCloseDisplay(display);
}

}  // namespace
