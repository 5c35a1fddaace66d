// A new player's first run, from the outside: the repository as committed
// (HEAD, unpacked into a fresh folder with no build), the README's play
// command, then an install into a fresh prefix and the installed command
// run from elsewhere, keeping its hall of fame in the player's own folder.
//
// Slow by nature (it builds the game from scratch), so it waits for states
// with generous deadlines and never for a fixed time.
#include "game_process.h"
#include "x_screen.h"

#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr double kBuildSeconds = 1500.0;

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

class FirstRunTest : public ::testing::Test {
protected:
    // One unpacked tree for the whole suite: the second test installs what
    // the first one built.
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/korvath-first-run-XXXXXX";
        root_ = mkdtemp(pattern);
        unpacked_ = run("git -C '" KORVATH_SOURCE_DIR "' archive HEAD | tar -x -C '" + root_.string() + "'");
    }

    static void TearDownTestSuite()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display (DISPLAY is not set): the game needs one to run";
        if (!xdotoolInstalled())
            GTEST_SKIP() << "xdotool is not installed: it sends the key presses";
        ASSERT_TRUE(unpacked_) << "git archive of HEAD from " KORVATH_SOURCE_DIR;
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
    }

    void TearDown() override
    {
        if (display_)
            XCloseDisplay(display_);
    }

    static fs::path root_;
    static bool unpacked_;
    Display* display_ = nullptr;
};

fs::path FirstRunTest::root_;
bool FirstRunTest::unpacked_ = false;

TEST_F(FirstRunTest, PlayCommandSaysSoWithoutADisplayAndOtherwiseReachesTheTitleMenu)
{
    GameProcess headless(root_, {"./scripts/play.sh"}, {"DISPLAY"});
    ASSERT_TRUE(headless.waitForEnd(60.0)) << headless.summary();
    EXPECT_EQ(headless.exitCode(), 1) << headless.summary();
    const std::string said = headless.standardError();
    EXPECT_NE(said.find("No display"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;

    // With a display: build the game alone, in a build folder of its own,
    // and see the title menu. The media must come with it.
    GameProcess play(root_, {"./scripts/play.sh"});
    ScreenWatcher watch(display_, play);
    ASSERT_TRUE(watch.waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); },
                                    kBuildSeconds))
        << "the title menu after ./scripts/play.sh on a fresh tree. " << play.summary();

    play.requestQuit();
    ASSERT_TRUE(play.waitForEnd(30.0)) << play.summary();
    EXPECT_EQ(play.exitCode(), 0) << play.summary();
}

TEST_F(FirstRunTest, InstalledCommandRunsAnywhereWithItsScoresInThePlayersFolder)
{
    if (!fs::exists(root_ / "build/korvath")) {
        ASSERT_TRUE(run("'" + root_.string() + "/scripts/build.sh' korvath >/dev/null"));
    }
    const fs::path prefix = root_ / "prefix", data = root_ / "data", elsewhere = root_ / "elsewhere";
    ASSERT_TRUE(run("cmake --install '" + (root_ / "build").string() + "' --prefix '" + prefix.string() +
                    "' >/dev/null"));
    fs::create_directories(elsewhere);

    GameProcess game(elsewhere, {(prefix / "bin/korvath").string()},
                     {"XDG_DATA_HOME=" + data.string(), "HOME=" + (root_ / "home").string()});
    ScreenWatcher watch(display_, game);
    ASSERT_TRUE(watch.waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); }, 60.0))
        << "the installed game's title menu. " << game.summary();
    EXPECT_TRUE(fs::exists(data / "korvath/media/font/scores.txt")) << "the player's own table (the command test has the rest)";

    game.requestQuit();
    ASSERT_TRUE(game.waitForEnd(30.0)) << game.summary();
    EXPECT_EQ(game.exitCode(), 0) << game.summary();
}

}  // namespace
