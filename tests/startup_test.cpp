// How the program ends from the title menu: Space on "Quit" ends it with
// code 0 in the very pass, however the key latch stands, even in the pass
// that Down reaches "Quit". Each case runs in a child that must exit. (Every
// start-up failure is checked by the missing-media test.)
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupTest, SpaceOnQuitEndsWithZeroWhateverTheLatch)
{
    EXPECT_EXIT(
        {
            returnToTitleMenu();
            menuKeyLatch = kKeyLatched;
            runPasses(1, Keys{SDLK_DOWN});  // latched: no move
            menuCursor = kQuit;
            runPasses(1, Keys{SDLK_SPACE});
            std::exit(1);  // not reached
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
