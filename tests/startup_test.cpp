// How the program ends from the title menu: Space on "Quit" ends it with
// code 0 in the very pass, however the key latch stands, even in the pass
// that Down reaches "Quit". Each case runs in a child that must exit. (Every
// start-up failure is checked by the missing-media test.)
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupTest, SpaceOnQuitEndsWithZeroWhateverTheLatchEvenAsDownReachesIt)
{
    for (bool latched : {true, false}) {
        EXPECT_EXIT(
            {
                returnToTitleMenu();
                menuKeyLatch = latched ? kKeyLatched : 0;
                menuCursor = latched ? kQuit : kHallOfFame;
                runPasses(1, latched ? Keys{SDLK_SPACE} : Keys{SDLK_DOWN, SDLK_SPACE});
                std::exit(1);  // not reached
            },
            ::testing::ExitedWithCode(0), "");
    }
}

}  // namespace
