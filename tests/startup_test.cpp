// How the program ends from the title menu: Space on "Quit" asks for the
// end with code 0 in the very pass, however the key latch stands, even in
// the pass that Down reaches "Quit"; the main loop carries it out. (Every
// start-up failure is checked by the missing-media test.)
#include "game_harness.h"

#include "shutdown.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupTest, SpaceOnQuitAsksForTheEndWithZeroWhateverTheLatchEvenAsDownReachesIt)
{
    for (bool latched : {true, false}) {
        SCOPED_TRACE(latched ? "latched, on Quit" : "free, Down onto Quit");
        returnToTitleMenu();
        menuKeyLatch = latched ? kKeyLatched : kKeyFree;
        menuCursor = latched ? kQuit : kHallOfFame;
        runPasses(1, latched ? Keys{SDLK_SPACE} : Keys{SDLK_DOWN, SDLK_SPACE});
        EXPECT_EQ(takeShutDownRequest(), std::optional<int>(0));
        runPasses(1);
        EXPECT_EQ(takeShutDownRequest(), std::nullopt) << "asked once";
    }
}

}  // namespace
