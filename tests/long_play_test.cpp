// A bot plays the real game logic with random keys for a long time: title
// menu, one- and two-player games, lost lives, level changes, Escape, the
// hall of fame and name entry. Nothing may crash or trip the sanitizers, and
// each time the title menu is back the scene holds exactly as many sprites
// and textures as the first time.
//
// KORVATH_BOT_PASSES sets the length (CI runs the default; a sanitizer build
// runs a million).
#include "game_harness.h"

#include "display.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(LongPlayTest, ABotPlaysForAWhileAndTheSceneStaysTheSameSize)
{
    startGameHarness();
    returnToTitleMenu(99);
    hallOfFame[9].score = 0;  // every one-player game ends in name entry
    std::mt19937 random(2024);
    int sprites = -1, textures = -1, titleReturns = 0, games = 0, levelsCleared = 0;
    bool wasInMenu = true;

    const char* passesWanted = std::getenv("KORVATH_BOT_PASSES");
    const long passes = passesWanted ? std::atol(passesWanted) : 100000;
    for (long pass = 0; pass < passes; ++pass) {
        const Keys keys = botKeys(random);
        if (!menuActive && random() % 4000 == 0)
            escapeKeyPressed();
        // Now and then the whole formation falls at once, so that levels change.
        if (!menuActive && !gameOver && roundPause == -1 && random() % 3000 == 0) {
            for (int i = 0; i < kAlienCount; ++i)
                if (alien[i].alive)
                    destroyAlien(i, 0);
            ++levelsCleared;
        }
        runPasses(1, keys, pass % 16 == 0);

        const bool inMenu = menuActive && !hallOfFameActive;
        if (inMenu && !wasInMenu) {
            ++titleReturns;
            if (sprites < 0) {
                sprites = sceneSpriteCount();
                textures = Texture::liveCount();
            }
            ASSERT_EQ(sceneSpriteCount(), sprites) << "after " << pass << " passes";
            ASSERT_EQ(Texture::liveCount(), textures) << "after " << pass << " passes";
        }
        if (!menuActive && wasInMenu)
            ++games;
        wasInMenu = inMenu;
    }
    std::printf("%ld passes: %d games, %d returns to the title menu, %d levels cleared\n", passes, games,
                titleReturns, levelsCleared);
    EXPECT_GT(games, 2);
    EXPECT_GT(titleReturns, 2);
}

}  // namespace
