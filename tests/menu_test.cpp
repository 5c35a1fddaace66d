// The scene as loaded, the title menu's keys and credits, and the modes of
// the main loop around a game: Escape, the end of a game, the return.
#include "game_harness.h"

#include "game_state.h"
#include "hall_of_fame.h"
#include "main_loop.h"
#include "shots.h"
#include "samples.h"
#include "scene.h"
#include "sprite.h"
#include "texture.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

class MenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    static int visibleCredits()
    {
        return int(std::count_if(std::begin(creditSprite), std::end(creditSprite),
                                 [](const Sprite* line) { return line->visible && line->alpha() > 0.0; }));
    }
};

// Runs first, while the scene is as loading left it.
TEST_F(MenuTest, TheLoadedSceneIsTheTitleScreen)
{
    EXPECT_TRUE(menuActive);
    EXPECT_EQ(playerCount, 2u);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(roundPause, -1);
    EXPECT_EQ(titlePhase, 1);
    const TankState &one = tank[0], &two = tank[1];
    EXPECT_TRUE(one.tankWheelsSprite->visible && one.tankBodySprite->visible && one.tankCannonSprite->visible);
    EXPECT_FALSE(two.tankWheelsSprite->visible || two.tankBodySprite->visible || two.tankBridgeSprite->visible);
    for (const Shield& s : shield)
        EXPECT_TRUE(s.alive && s.shieldArcSprite->visible && s.shieldBallSprite[0]->visible);
    EXPECT_DOUBLE_EQ(shield[0].shieldArcSprite->x(), 140);
    EXPECT_DOUBLE_EQ(shield[2].shieldArcSprite->x(), 440);
    EXPECT_TRUE(p1ScoreLabelSprite->visible);
    EXPECT_FALSE(p2ScoreLabelSprite->visible || p1ScoreLabelSprite2->visible || leftPanelSprite->visible);
    for (int j = 0; j < kScoreDigits; ++j) {
        EXPECT_TRUE(p1ScoreDigitSprite[j]->visible && !p2ScoreDigitSprite[j]->visible);
        EXPECT_NEAR(p1ScoreDigitSprite[j]->x(), 525 + 10 * j, 0.5);  // odd widths sit half a pixel left
    }
    EXPECT_EQ(shownDigit(livesDigitSprite), 3u);
    EXPECT_TRUE(menuItemHighlightSprite[0]->visible && !menuItemSprite[0]->visible);
    EXPECT_TRUE(menuItemSprite[1]->visible && menuItemSprite[2]->visible && menuItemSprite[3]->visible);
    EXPECT_EQ(visibleCredits(), 0);
    for (int i = 0; i < kAlienCount; ++i) {
        EXPECT_TRUE(alien[i].alive);
        EXPECT_LT(alienSprite[i]->y() + 31, 0.0) << "alien " << i << " must wait above the screen";
    }
    EXPECT_DOUBLE_EQ(alien[0].y, -50);
    EXPECT_DOUBLE_EQ(alien[35].y, -210);
    EXPECT_EQ(levelBannerSprite->alpha(), 0.0);
    EXPECT_DOUBLE_EQ(levelBannerSprite->x(), 259);
}

TEST_F(MenuTest, HeldKeysMoveTheCursorOncePerPress)
{
    returnToTitleMenu();
    runPasses(5, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 1u);
    EXPECT_TRUE(menuItemHighlightSprite[1]->visible && !menuItemHighlightSprite[0]->visible);
    // Space still held keeps the latch after Down is let go.
    runPasses(1, Keys{SDLK_SPACE});
    runPasses(1, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 1u);
    EXPECT_TRUE(menuActive);
    runPasses(1);
    runPasses(3, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 2u);
    runPasses(1);
    runPasses(1, Keys{SDLK_UP, SDLK_DOWN});  // Up wins and skips Down
    EXPECT_EQ(menuCursor, 1u);
}

TEST_F(MenuTest, TheEndsOfTheMenuAndEscapeDoNothingAndPlayNothing)
{
    returnToTitleMenu();
    escapeKeyPressed();
    EXPECT_FALSE(gameOver);
    EXPECT_EQ(endBanner, nullptr);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1, Keys{SDLK_UP});
    EXPECT_EQ(menuCursor, 0u);
    EXPECT_FALSE(freeChannelPlaying());
    runPasses(1);
    runPasses(1, Keys{SDLK_DOWN});
    EXPECT_TRUE(freeChannelPlaying()) << "a real move blips";
    for (int i = 0; i < 3; ++i) {
        runPasses(1);
        runPasses(1, Keys{SDLK_DOWN});
    }
    EXPECT_EQ(menuCursor, 3u);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1);
    runPasses(1, Keys{SDLK_DOWN});
    EXPECT_EQ(menuCursor, 3u);
    EXPECT_FALSE(freeChannelPlaying());
    EXPECT_TRUE(menuItemHighlightSprite[3]->visible);
}

TEST_F(MenuTest, OnePlayerStartsAGameForPlayerOne)
{
    returnToTitleMenu();
    runPasses(1, Keys{SDLK_SPACE});
    EXPECT_FALSE(menuActive);
    EXPECT_EQ(playerCount, 1u);
    EXPECT_FLOAT_EQ(tank[0].x, 287);
    EXPECT_TRUE(tank[0].tankBridgeSprite->visible && tank[0].tankWheelSprite[3]->visible);
    EXPECT_FALSE(tank[1].tankBodySprite->visible);
    EXPECT_TRUE(p1ScoreLabelSprite->visible);
    EXPECT_FALSE(p1ScoreLabelSprite2->visible || p2ScoreLabelSprite->visible || leftPanelSprite->visible);
    for (int i = 0; i < kMenuItems; ++i)
        EXPECT_FALSE(menuItemSprite[i]->visible || menuItemHighlightSprite[i]->visible);
    EXPECT_FALSE(menuWindowSprite->visible || menuShadeSprite->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kMusicChannel));
    EXPECT_EQ(Mix_Volume(kMusicChannel, -1), 94 * MIX_MAX_VOLUME / 255);
    EXPECT_EQ(visibleCredits(), 0);
    EXPECT_EQ(titlePhase, 0);
}

TEST_F(MenuTest, TwoPlayerStartsAGameForBoth)
{
    returnToTitleMenu();
    tank[1].score = 770;
    runPasses(1, Keys{SDLK_DOWN});
    runPasses(1);
    runPasses(1, Keys{SDLK_SPACE});
    EXPECT_FALSE(menuActive);
    EXPECT_EQ(playerCount, 2u);
    EXPECT_FLOAT_EQ(tank[0].x, 452);
    EXPECT_EQ(tank[1].score, 0u);
    EXPECT_TRUE(tank[1].tankBodySprite->visible && tank[1].tankCannonSprite->visible);
    EXPECT_FALSE(p1ScoreLabelSprite->visible);
    EXPECT_TRUE(p1ScoreLabelSprite2->visible && p2ScoreLabelSprite->visible && leftPanelSprite->visible);
    for (Sprite* digit : p2ScoreDigitSprite)
        EXPECT_TRUE(digit->visible);
    EXPECT_EQ(Mix_Volume(kMusicChannel, -1), 94 * MIX_MAX_VOLUME / 255);
}

TEST_F(MenuTest, CreditsCycleOneLineAtATime)
{
    returnToTitleMenu();
    for (Sprite* line : creditSprite)
        line->setAlpha(0.0);
    titlePhase = 0;
    int changes = 0;
    int lastChange = 0;
    for (int pass = 1; pass <= 2000; ++pass) {
        const int before = titlePhase;
        runPasses(1);
        ASSERT_LE(visibleCredits(), 1) << "pass " << pass;
        if (titlePhase != before) {
            if (changes == 0)
                EXPECT_EQ(pass, 100) << "the first line only fades in";
            else
                EXPECT_EQ(pass - lastChange, 200);
            ++changes;
            lastChange = pass;
        }
    }
    EXPECT_EQ(changes, 10);
    EXPECT_EQ(titlePhase, 3);
    // Starting a game hides them at once; the next menu begins at line 0.
    runPasses(1, Keys{SDLK_SPACE});
    EXPECT_EQ(visibleCredits(), 0);
    EXPECT_EQ(titlePhase, 0);
    escapeKeyPressed();
    runPasses(180);
    EXPECT_TRUE(menuActive);
    runPasses(50);
    EXPECT_GT(creditSprite[0]->alpha(), 0.0);
    EXPECT_EQ(visibleCredits(), 1);
}

TEST_F(MenuTest, EscapeAbandonsAGameAndTheMenuReturns180PassesLater)
{
    hallOfFame[9].score = 1000;  // a score of 0 does not earn a name
    startNewGame(1);
    runPasses(30, Keys{SDLK_LEFT});
    escapeKeyPressed();
    EXPECT_TRUE(gameOver);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->alpha(), 0.0);
    EXPECT_EQ(endBanner->depth(), 100.0);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_FALSE(levelBannerSprite->visible);
    EXPECT_FALSE(FSOUND_IsPlaying(kMusicChannel)) << "every channel stops";

    runPasses(50);
    EXPECT_NEAR(endBanner->alpha(), 0.5, 1e-9);
    // Pressed again: a fresh banner and the count starts over.
    Sprite* first = endBanner;
    escapeKeyPressed();
    EXPECT_NE(endBanner, first);
    EXPECT_EQ(endBanner->alpha(), 0.0);
    EXPECT_EQ(roundPause, 0);
    runPasses(179);
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive);
    EXPECT_EQ(endBanner, nullptr);
    EXPECT_FALSE(gameOver);
    EXPECT_EQ(tank[0].score, 0u);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    EXPECT_TRUE(menuWindowSprite->visible && menuItemHighlightSprite[0]->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kMusicChannel)) << "the title music plays again";
}

TEST_F(MenuTest, ALostLifePausesTheRoundFor100Passes)
{
    startNewGame(1);
    runPasses(5);
    destroyTank(0, kNoShield, 0);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(roundPause, 0);
    const double alienY = alien[35].y;
    runPasses(99);
    EXPECT_EQ(roundPause, 99);
    EXPECT_DOUBLE_EQ(alien[35].y, alienY) << "the formation stands still between rounds";
    runPasses(1);
    EXPECT_EQ(roundPause, -1);
    EXPECT_EQ(shownDigit(livesDigitSprite), 2u);
    EXPECT_TRUE(tank[0].tankBodySprite->visible);
}

}  // namespace
