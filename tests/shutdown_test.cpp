// How the real game ends, watched from the outside: by "Quit" with 0; with
// no display 2, its display lost 69, each with one line and never a crash; a
// quit signal or lost display in name entry within a second, the table kept.
#include "shutdown.h"
#include "x_screen.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
// After GoogleTest, whose own names Xlib's macros (None, Bool) would hide.
#include <X11/Xlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr double kEndSeconds = 2.0;
// A hold-up that a player would notice: a signal or a lost display must end
// the game within this even while it waits for the table's lock.
constexpr double kPromptEndSeconds = 1.0;
constexpr int kNoDisplayExit = 2;

bool gameUnderway(const Screenshot& s) { return !highlightOn(s, 0) && s.share(kWholeScreen, isCoverBlue) < 0.2; }
bool bannerUp(const Screenshot& s) { return s.count(kBanner, isText) >= 300; }

void expectOneLine(const GameProcess& game, const std::string& line)
{
    EXPECT_EQ(game.standardError(), line + "\n") << game.summary();
    EXPECT_EQ(game.standardOutput(), "") << game.summary();
}

void expectEndedForLostDisplay(GameProcess& game, double seconds = kEndSeconds)
{
    ASSERT_TRUE(game.waitForEnd(seconds)) << "still running " << seconds << " s after: " << game.summary();
    EXPECT_EQ(game.exitCode(), kDisplayLostExit) << game.summary();
    expectOneLine(game, "korvath: the connection to the display was lost; the game has ended");
}

int socketsHeld(const GameProcess& game)
{
    const std::vector<std::string> files = game.openFiles();
    return int(std::count_if(files.begin(), files.end(), [](const std::string& f) { return f.rfind("socket:", 0) == 0; }));
}

bool holdsOpen(const GameProcess& game, const std::string& path)
{
    const std::vector<std::string> files = game.openFiles();
    return std::find(files.begin(), files.end(), fs::absolute(path).lexically_normal().string()) != files.end();
}

TEST(NoDisplayTest, WithoutADisplayItEndsAtOnceWithCodeTwoAndOneLine)
{
    RunDirectoryCopy dir;
    const std::string nobody = freeDisplayName();
    struct Case {
        std::vector<std::string> environment;
        std::string line;
    };
    const Case cases[] = {
        {{"DISPLAY"}, "korvath: no display: DISPLAY is not set"},
        {{"DISPLAY=" + nobody}, "korvath: no display: cannot open display " + nobody},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.line);
        c.environment.insert(c.environment.end(), {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
        GameProcess game(dir.path(), {"./korvath"}, c.environment);
        ASSERT_TRUE(game.waitForEnd(kEndSeconds)) << "still running " << kEndSeconds << " s after";
        EXPECT_EQ(game.exitCode(), kNoDisplayExit) << game.summary();
        expectOneLine(game, c.line);
    }
}

// The server killed or stopped at moments over the first half second after
// the game's second connection (its first, a look at the display, has then
// been answered): always 69 and one line.
TEST(NoDisplayTest, TheServerDyingAtAnyMomentOfStartUpEndsItWithCode69)
{
    RunDirectoryCopy dir;
    const int moments[] = {0, 40, 80, 130, 200, 300, 450};
    for (int i = 0; i < int(std::size(moments)); ++i) {
        const int signal = i % 2 ? SIGKILL : SIGTERM;
        SCOPED_TRACE("server ended " + std::to_string(moments[i]) + " ms in by signal " + std::to_string(signal));
        PrivateXServer server;
        GameProcess game(dir.path(), {"./korvath"}, {"DISPLAY=" + server.name()});
        ASSERT_TRUE(game.waitUntil([&] { return socketsHeld(game) >= 2; }, 10.0)) << game.summary();
        usleep(moments[i] * 1000);
        server.stop(signal);
        expectEndedForLostDisplay(game);
    }
}

// Where things stand on screen: the loading screen's two lines, the hall of
// fame's first name (the centred menu window's names start at x 172), and
// the "Back" bar.
const Area kLoadingText = {200, 222, 440, 258};
const Area kAddressLine = {200, 452, 440, 478};
const Area kFirstHallOfFameName = {172, 132, 230, 148};
const Area kBackBar = {305, 330, 335, 352};

bool namePromptUp(const Screenshot& s) { return s.count(kNamePrompt, isText) >= 120 && !bannerUp(s); }

class ShutDownTest : public OnScreenTest {
protected:
    void startAtTitleMenu()
    {
        startGame();
        ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); })) << gameState();
    }
    // From the title menu: a one-player game abandoned by Escape ends with
    // "Game Over" and, a score of 0 beating an empty place, the name prompt.
    void playToTheNamePrompt()
    {
        ASSERT_TRUE(pressUntil("space", gameUnderway)) << gameState();
        ASSERT_TRUE(xdotool("key", "Escape"));
        ASSERT_TRUE(waitForScreen(bannerUp)) << "\"Game Over\". " << gameState();
        ASSERT_TRUE(waitForScreen(namePromptUp)) << "\"Enter your name\". " << gameState();
    }
    bool typeLetter(const char* letter)
    {
        const Screenshot before = screen();
        return pressUntil(letter, [&](const Screenshot& s) { return s.differingPixels(before, kTypedNameRow) >= 10; });
    }
    void killGamesXClient()
    {
        const Window window = gameWindow(display_);
        ASSERT_NE(window, 0u);
        XKillClient(display_, window);
        XSync(display_, False);
    }
};

TEST_F(ShutDownTest, APlayersWayOutThroughAGameAndTheHallOfFameEndsWithZero)
{
    startGame();
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) {
        return s.share(kWholeScreen, isCoverBlue) > 0.8 && s.count(kLoadingText, isText) >= 300 &&
               s.count(kAddressLine, isText) >= 300;
    })) << "the loading screen. " << gameState();
    ASSERT_TRUE(waitForScreen([](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); })) << gameState();
    playToTheNamePrompt();
    EXPECT_LT(screen().count(kFirstHallOfFameName, isText), 10) << "the first place holds no name yet";
    for (const char* letter : {"k", "o", "r", "v"})
        EXPECT_TRUE(typeLetter(letter)) << letter << ". " << gameState();
    ASSERT_TRUE(pressUntil("Return", [](const Screenshot& s) { return s.share(kBackBar, isHighlightBar) >= 0.5; }));
    EXPECT_GE(screen().count(kFirstHallOfFameName, isText), 60) << "the new name in first place";
    std::vector<uint8_t> saved(160, 0);
    std::copy_n("korv", 4, saved.begin());
    EXPECT_EQ(readBytes(dir_.file("media/font/scores.txt")), saved);

    ASSERT_TRUE(pressUntil("space", [](const Screenshot& s) { return titleMenuWithHighlightOn(s, 0); })) << gameState();
    for (int item = 1; item <= 3; ++item)
        ASSERT_TRUE(pressUntil("Down", [item](const Screenshot& s) { return titleMenuWithHighlightOn(s, item); }));
    xdotool("keydown", "space");
    const bool ended = game_->waitForEnd(10.0);
    xdotool("keyup", "space");
    ASSERT_TRUE(ended) << "Space on \"Quit\" ends the game";
    EXPECT_EQ(game_->exitCode(), 0) << game_->summary();
    EXPECT_EQ(game_->standardError(), "") << game_->summary();
}

TEST_F(ShutDownTest, KillingTheGamesXClientAtTheTitleInPlayOrPausedEndsIt)
{
    for (const std::string moment : {"title menu", "play", "pause"}) {
        SCOPED_TRACE(moment);
        startAtTitleMenu();
        ASSERT_TRUE(moment == "title menu" || pressUntil("space", gameUnderway)) << game_->summary();
        ASSERT_TRUE(moment != "pause" || pressUntil("p", bannerUp)) << "\"Paused\" shows. " << game_->summary();
        killGamesXClient();
        expectEndedForLostDisplay(*game_);
    }
}

// Typing a name, or the save waiting for another program's lock: a quit
// signal ends the game with 0, a lost display with 69; the table stays.
TEST_F(ShutDownTest, ASignalOrALostDisplayDuringNameEntryOrItsWaitForTheLockKeepsTheTable)
{
    // Nine names and an empty tenth place, which even a score of 0 earns.
    std::vector<uint8_t> table(160, 0);
    for (int i = 0; i < 9; ++i) {
        table[16 * i] = uint8_t('a' + i);
        table[16 * i + 12] = uint8_t(90 - 10 * i);
    }
    const std::string scores = dir_.file("media/font/scores.txt");
    const std::string lock = scores + ".lock";
    for (const std::string moment : {"typing, a signal", "waiting for the lock, a signal", "waiting for the lock, the display lost"}) {
        SCOPED_TRACE(moment);
        std::ofstream(scores, std::ios::binary).write(reinterpret_cast<const char*>(table.data()), 160);
        startAtTitleMenu();
        playToTheNamePrompt();
        ASSERT_TRUE(typeLetter("k"));

        const bool waiting = moment.rfind("waiting", 0) == 0;
        const int held = waiting ? open(lock.c_str(), O_RDWR | O_CREAT, 0644) : -1;
        if (waiting) {
            ASSERT_EQ(flock(held, LOCK_EX), 0);
            ASSERT_TRUE(xdotool("keydown", "Return"));
            ASSERT_TRUE(game_->waitUntil([&] { return holdsOpen(*game_, lock); }, 10.0))
                << "the save waits for the lock. " << game_->summary();
            ASSERT_TRUE(xdotool("keyup", "Return"));
        }
        if (moment.find("signal") != std::string::npos) {
            game_->requestQuit();
            ASSERT_TRUE(game_->waitForEnd(waiting ? kPromptEndSeconds : kEndSeconds)) << "still running after SIGTERM";
            EXPECT_EQ(game_->exitCode(), 0) << game_->summary();
        } else {
            killGamesXClient();
            expectEndedForLostDisplay(*game_, kPromptEndSeconds);
        }
        EXPECT_EQ(readBytes(scores), table);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_.file("media/font")), {}), waiting ? 2 : 1) << "a scratch file left";
        if (held >= 0)
            close(held);
        fs::remove(lock);
    }
}

}  // namespace
