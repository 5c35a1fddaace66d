// How the real game ends from the outside. It never outlives its display:
// its X client killed (as xkill does) at the title menu, in play or while
// paused, or its X server stopped under a full-screen game, it ends within
// two seconds with its own code and one line saying so. And a quit signal
// during name entry ends it with the score table as it was, byte for byte.
#include "game_process.h"
#include "shutdown.h"
#include "x_screen.h"

#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr double kEndSeconds = 2.0;

bool gameUnderway(const Screenshot& s) { return !highlightOn(s, 0) && s.share(kWholeScreen, isCoverBlue) < 0.2; }
bool bannerUp(const Screenshot& s) { return s.count(kBanner, isText) >= 300; }

class ShutDownTest : public OnScreenTest {
protected:
    void startAtTitleMenu()
    {
        startGame();
        ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); })) << gameState();
    }

    static void expectEndedForLostDisplay(GameProcess& game)
    {
        ASSERT_TRUE(game.waitForEnd(kEndSeconds)) << "still running " << kEndSeconds << " s after";
        EXPECT_EQ(game.exitCode(), kDisplayLostExit) << game.summary();
        const std::string said = game.standardError();
        EXPECT_TRUE(said.find("display") != std::string::npos && said.find('\n') == said.size() - 1) << said;
    }
};

TEST_F(ShutDownTest, KillingTheGamesXClientAtTheTitleInPlayOrPausedEndsIt)
{
    for (const std::string moment : {"title menu", "play", "pause"}) {
        SCOPED_TRACE(moment);
        startAtTitleMenu();
        ASSERT_TRUE(moment == "title menu" || pressUntil("space", gameUnderway)) << game_->summary();
        ASSERT_TRUE(moment != "pause" || pressUntil("p", bannerUp)) << "\"Paused\" shows. " << game_->summary();
        const Window window = gameWindow(display_);
        ASSERT_NE(window, 0u);
        XKillClient(display_, window);
        XSync(display_, False);
        expectEndedForLostDisplay(*game_);
    }
}

TEST_F(ShutDownTest, StoppingTheXServerUnderAFullScreenGameEndsIt)
{
    int n = 140;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) || fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
        ++n;
    const std::string name = ":" + std::to_string(n);
    GameProcess server(".", {"Xvfb", name, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset"});
    Display* screen = nullptr;
    for (int tries = 0; !screen && tries < 100 && !server.hasEnded(); ++tries) {
        usleep(50000);
        screen = XOpenDisplay(name.c_str());
    }
    ASSERT_NE(screen, nullptr) << server.summary();
    GameProcess game(dir_.path(), {"./korvath"}, {"DISPLAY=" + name});
    const bool titleMenu = ScreenWatcher(screen, game).waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); });
    XCloseDisplay(screen);  // before the server goes, or this test's own Xlib would end it
    ASSERT_TRUE(titleMenu) << game.summary();

    server.requestQuit();
    ASSERT_TRUE(server.waitForEnd(10.0));
    expectEndedForLostDisplay(game);
}

TEST_F(ShutDownTest, AQuitSignalDuringNameEntryKeepsTheTableByteForByte)
{
    // Nine names and an empty tenth place, which even a score of 0 earns.
    std::vector<uint8_t> table(160, 0);
    for (int i = 0; i < 9; ++i) {
        table[16 * i] = uint8_t('a' + i);
        table[16 * i + 12] = uint8_t(90 - 10 * i);
    }
    std::ofstream(dir_.file("media/font/scores.txt"), std::ios::binary).write(reinterpret_cast<const char*>(table.data()), 160);
    startAtTitleMenu();
    ASSERT_TRUE(pressUntil("space", gameUnderway)) << game_->summary();
    ASSERT_TRUE(xdotool("key", "Escape"));
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return s.count(kNamePrompt, isText) >= 120 && !bannerUp(s); }))
        << "\"Enter your name\". " << game_->summary();
    const Screenshot before = screen();
    ASSERT_TRUE(pressUntil("k", [&](const Screenshot& s) { return s.differingPixels(before, kTypedNameRow) >= 10; }));

    game_->requestQuit();
    ASSERT_TRUE(game_->waitForEnd(kEndSeconds)) << "still running " << kEndSeconds << " s after SIGTERM";
    EXPECT_EQ(game_->exitCode(), 0) << game_->summary();
    EXPECT_EQ(readBytes(dir_.file("media/font/scores.txt")), table);
    EXPECT_FALSE(fs::exists(dir_.file("media/font/scores.txt.new")));
}

}  // namespace
