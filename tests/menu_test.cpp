// The scene as loaded, the title menu's keys and credits, and the modes of
// the main loop around a game: Escape and the return to the menu.
#include "game_harness.h"

#include "text_sprites.h"

#include <gtest/gtest.h>

namespace {

int visibleCredits()
{
    int n = 0;
    for (const Sprite* line : creditSprite)
        n += line->visible && line->alpha() > 0.0;
    return n;
}

bool shown(std::initializer_list<const Sprite*> sprites)
{
    for (const Sprite* s : sprites)
        if (!s->visible)
            return false;
    return true;
}

// Runs first, while the scene is as loading left it.
TEST(MenuTest, TheLoadedSceneIsTheTitleScreen)
{
    startGameHarness();
    EXPECT_TRUE(menuActive && playerCount == 2 && lives == 3 && roundPause == -1 && titlePhase == 1);
    EXPECT_TRUE(shown({tank[0].tankWheelsSprite, tank[0].tankBodySprite, tank[0].tankCannonSprite, tank[0].tankWheelSprite[3]}));
    EXPECT_FALSE(tank[1].tankWheelsSprite->visible || tank[1].tankBodySprite->visible || tank[1].tankBridgeSprite->visible);
    EXPECT_FLOAT_EQ(tank[0].x, 287);
    EXPECT_TRUE(shown({shield[0].shieldArcSprite, shield[2].shieldBallSprite[1], p1ScoreLabelSprite, p1ScoreDigitSprite[5]}));
    EXPECT_DOUBLE_EQ(shield[2].shieldArcSprite->x(), 440);
    EXPECT_FALSE(p2ScoreLabelSprite->visible || p1ScoreLabelSprite2->visible || leftPanelSprite->visible ||
                 p2ScoreDigitSprite[0]->visible);
    EXPECT_TRUE(shownScore(0) == "000000" && shownDigit(livesDigitSprite) == 3u);
    EXPECT_TRUE(menuItemHighlightSprite[0]->visible && !menuItemSprite[0]->visible);
    EXPECT_TRUE(shown({menuItemSprite[1], menuItemSprite[2], menuItemSprite[3]}));
    EXPECT_EQ(visibleCredits(), 0);
    for (int i = 0; i < kAlienCount; ++i)
        EXPECT_TRUE(alien[i].alive && alienSprite[i]->y() + 31 < 0.0) << "alien " << i << " waits above the screen";
    EXPECT_TRUE(levelBannerSprite->alpha() == 0.0 && levelBannerSprite->x() == 259);
    EXPECT_TRUE(menuWindowSprite->x() == 137 && menuWindowSprite->y() == 108) << "centred";
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(digitTexture[n]->imageWidth, unsigned(measureText(std::to_string(n).c_str(), kSmallTextPoints))) << n;
}

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

TEST(MenuTest, OneOrTwoPlayerStartsTheirGameWithTheMusic)
{
    for (int players : {1, 2}) {
        returnToTitleMenu();
        tank[1].score = 770;
        if (players == 2) {
            runPasses(1, Keys{SDLK_DOWN});
            runPasses(1);
        }
        runPasses(1, Keys{SDLK_SPACE});
        EXPECT_FALSE(menuActive || menuWindowSprite->visible || menuShadeSprite->visible);
        EXPECT_EQ(playerCount, unsigned(players));
        EXPECT_FLOAT_EQ(tank[0].x, players == 1 ? 287 : 452);
        EXPECT_EQ(tank[1].tankBodySprite->visible, players == 2);
        EXPECT_EQ(p1ScoreLabelSprite->visible, players == 1);
        EXPECT_EQ(p1ScoreLabelSprite2->visible && p2ScoreLabelSprite->visible && leftPanelSprite->visible, players == 2);
        EXPECT_EQ(p2ScoreDigitSprite[0]->visible && p2ScoreDigitSprite[5]->visible, players == 2);
        EXPECT_EQ(tank[1].score, players == 2 ? 0u : 770u);
        for (int i = 0; i < kMenuItems; ++i)
            EXPECT_FALSE(menuItemSprite[i]->visible || menuItemHighlightSprite[i]->visible);
        EXPECT_TRUE(FSOUND_IsPlaying(kMusicChannel));
        EXPECT_EQ(Mix_Volume(kMusicChannel, -1), 94 * MIX_MAX_VOLUME / 255);
        EXPECT_TRUE(visibleCredits() == 0 && titlePhase == 0);
    }
}

TEST(MenuTest, CreditsCycleOneLineAtATimeAndStartAgainWithTheNextMenu)
{
    returnToTitleMenu();
    for (Sprite* line : creditSprite)
        line->setAlpha(0.0);
    titlePhase = 0;
    int changes = 0, lastChange = 0;
    for (int pass = 1; pass <= 2000; ++pass) {
        const int before = titlePhase;
        runPasses(1);
        ASSERT_LE(visibleCredits(), 1) << "pass " << pass;
        if (titlePhase != before) {
            EXPECT_EQ(pass - lastChange, changes ? 200 : 100) << "the first line only fades in";
            ++changes;
            lastChange = pass;
        }
    }
    EXPECT_EQ(changes, 10);
    EXPECT_EQ(titlePhase, 3);
    runPasses(1, Keys{SDLK_SPACE});
    EXPECT_EQ(visibleCredits(), 0);
    escapeKeyPressed();
    runPasses(230);
    EXPECT_TRUE(menuActive);
    EXPECT_TRUE(creditSprite[0]->alpha() > 0.0 && visibleCredits() == 1);
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
