// The real game binary started in a copy of its run directory with one file
// taken away: each start-up failure ends with its own code and message, and
// a sample the game can do without does not stop it. Also "Quit", which
// ends the process. This binary opens no window of its own, so the games it
// starts get the display to themselves.
#include "game_harness.h"
#include "game_process.h"

#include "game_state.h"
#include "title_menu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Outcome {
    int exitCode;   // -1 if it did not exit normally
    std::string output;
};

// Runs the game in a copy of the run directory without `file`; if it is
// still running after `seconds`, asks it to quit the way closing its window
// does.
Outcome runWithout(const char* file, int seconds = 8)
{
    const RunDirectoryCopy dir;
    EXPECT_EQ(std::remove(dir.file(file).c_str()), 0) << file;
    GameProcess game(dir.path());
    if (!game.waitForEnd(seconds)) {
        game.requestQuit();
        game.waitForEnd(30);
    }
    return {game.exitCode(), game.standardOutput() + game.standardError()};
}

// The shell sees only the low eight bits of an exit code.
constexpr int observed(int code)
{
    return code & 0xFF;
}

TEST(StartupTest, WithoutTheScoreFileTheGameEndsWith555)
{
    const Outcome o = runWithout("media/font/scores.txt");
    EXPECT_EQ(o.exitCode, observed(555));
    EXPECT_EQ(o.output, "");
}

TEST(StartupTest, AnUnreadableImageEndsTheGameWith191AndNamesTheFile)
{
    const Outcome o = runWithout("media/backdrop.tga");
    EXPECT_EQ(o.exitCode, 191);
    EXPECT_EQ(o.output, "Error could not load file media\\backdrop.tga.");
}

TEST(StartupTest, WithoutTheFontTheGameEndsWith3)
{
    const Outcome o = runWithout("media/Square Bold.ttf");
    EXPECT_EQ(o.exitCode, 3);
    EXPECT_EQ(o.output.rfind("Couldn't load 12 pt font from media\\Square Bold.ttf: ", 0), 0u) << o.output;
}

TEST(StartupTest, WithoutTheLaughTheGameEndsWith5026)
{
    const Outcome o = runWithout("media/sound/evillaug.wav");
    EXPECT_EQ(o.exitCode, observed(5026));
}

TEST(StartupTest, AnyOtherSampleMissingStillStarts)
{
    const Outcome o = runWithout("media/sound/rocket.wav", 4);
    EXPECT_EQ(o.exitCode, 0) << "it reached the main loop and quit cleanly: " << o.output;
    EXPECT_EQ(o.output, "");
}

TEST(StartupTest, SpaceOnQuitEndsWithZeroWhateverTheLatch)
{
    EXPECT_EXIT(
        {
            returnToTitleMenu();
            menuKeyLatch = kKeyLatched;
            runPasses(1, Keys{SDLK_DOWN});  // Down while the latch is set: no move
            menuCursor = kQuit;
            runPasses(1, Keys{SDLK_SPACE});
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(StartupTest, PressingDownOntoQuitWithSpaceHeldQuitsInThatPass)
{
    EXPECT_EXIT(
        {
            returnToTitleMenu();
            menuCursor = kHallOfFame;
            runPasses(1, Keys{SDLK_DOWN, SDLK_SPACE});
            std::exit(1);  // not reached
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
