// The title menu's keys and their latch, and Escape with the return to the
// menu 180 passes after the last press. The replay test plays the rest.
#include "game_harness.h"

#include "text_sprites.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuTest, HeldKeysMoveTheCursorOncePerPressAndOnlyARealMoveBlips)
{
    returnToTitleMenu();
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1, Keys{SDLK_UP});
    EXPECT_EQ(menuCursor, 0u);
    EXPECT_FALSE(freeChannelPlaying());
    runPasses(1);
    runPasses(5, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 1u);
    EXPECT_TRUE(menuItemHighlightSprite[1]->visible && !menuItemHighlightSprite[0]->visible);
    EXPECT_TRUE(freeChannelPlaying());
    runPasses(1, Keys{SDLK_SPACE});  // Space still held keeps the latch after Down is let go
    runPasses(1, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 1u);
    runPasses(1);
    runPasses(1, Keys{SDLK_UP, SDLK_DOWN});  // Up wins and skips Down
    EXPECT_EQ(menuCursor, 0u);
    for (int i = 0; i < 4; ++i) {
        runPasses(1);
        FSOUND_StopSound(FSOUND_ALL);
        runPasses(1, Keys{SDLK_DOWN});
    }
    EXPECT_EQ(menuCursor, 3u);
    EXPECT_FALSE(freeChannelPlaying()) << "no move past the end, no blip";
    EXPECT_TRUE(menuItemHighlightSprite[3]->visible);
}

TEST(MenuTest, EscapeAbandonsAGameAndTheMenuReturns180PassesAfterTheLastPress)
{
    returnToTitleMenu();
    escapeKeyPressed();
    EXPECT_FALSE(gameOver) << "Escape on the menu does nothing";
    hallOfFame[9].score = 1000;  // a score of 0 does not earn a name
    startNewGame(1);
    runPasses(30, Keys{SDLK_LEFT});
    escapeKeyPressed();
    EXPECT_TRUE(gameOver);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_TRUE(endBanner->alpha() == 0.0 && endBanner->depth() == 100.0);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_FALSE(levelBannerSprite->visible);
    EXPECT_FALSE(FSOUND_IsPlaying(kMusicChannel)) << "every channel stops";
    runPasses(50);
    EXPECT_NEAR(endBanner->alpha(), 0.5, 1e-9);
    Sprite* first = endBanner;
    escapeKeyPressed();
    EXPECT_TRUE(endBanner != first && endBanner->alpha() == 0.0 && roundPause == 0) << "a fresh banner, a fresh count";
    runPasses(179);
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive && !gameOver && endBanner == nullptr);
    EXPECT_EQ(tank[0].score, 0u);
    EXPECT_TRUE(menuWindowSprite->visible && menuItemHighlightSprite[0]->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kMusicChannel)) << "the title music plays again";
}

}  // namespace
