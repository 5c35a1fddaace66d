// Levels, lives and the end of a game: what each level number sets, the
// level banner, the score and lives displays, winning, landing, and what
// follows the end of a game.
#include "game_harness.h"

#include "formation.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "levels.h"
#include "main_loop.h"
#include "samples.h"
#include "scene.h"
#include "shots.h"
#include "sprite.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

class LevelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // Where a flare at (100, 100) is after one step of its fall.
    static Point flareAfterOneStep()
    {
        placeFlare(0, 100.0, 100.0);
        flareStep(0);
        const Point p = {alienBombSprite[0]->x(), alienBombSprite[0]->y()};
        alienBombSprite[0]->hide();
        return p;
    }
};

TEST_F(LevelsTest, EachLevelNumberSetsItsFeatures)
{
    struct Features {
        int level;
        double base;
        int band, fireDivisor, push;
        bool drifts, fades;
    };
    const Features table[] = {
        {1, 0, 0, 400, 1, false, false},   {8, 162, 1, 400, 1, false, false},
        {9, 0, 2, 200, 2, false, false},   {16, 162, 3, 200, 2, false, false},
        {17, 0, 0, 400, 1, true, false},   {32, 162, 3, 200, 2, true, false},
        {33, 0, 0, 400, 1, false, true},   {63, 108, 3, 200, 2, true, true},
    };
    const double weave = 4.0 * std::sin(100.0 / 4.0 - 2.0);
    for (const Features& f : table) {
        SCOPED_TRACE("level " + std::to_string(f.level));
        startQuietGame();
        playLevel(f.level);
        EXPECT_EQ(level, f.level);
        EXPECT_EQ(fireDivisor, f.fireDivisor);
        EXPECT_EQ(shieldPushStrength, f.push);
        EXPECT_DOUBLE_EQ(alien[0].y, -(f.base + 50.0));
        EXPECT_DOUBLE_EQ(alien[35].y, -(f.base + 50.0 + 160.0));
        EXPECT_DOUBLE_EQ(alien[35].x, 120.0 + 74.0 * 5);
        const double alpha = f.fades ? double(0.02f) : 1.0;
        EXPECT_EQ(alien[17].alpha, alpha);
        EXPECT_EQ(alienSprite[17]->alpha(), alpha);
        EXPECT_TRUE(alienSprite[17]->visible && alien[17].alive);

        const Point p = flareAfterOneStep();
        EXPECT_DOUBLE_EQ(p.y, f.band < 2 ? 101.0 : 102.0);
        EXPECT_DOUBLE_EQ(p.x, f.band % 2 == 1 ? 100.0 + weave : 100.0);

        fireDivisor = 1;
        runPasses(10);
        EXPECT_DOUBLE_EQ(shield[0].shieldArcSprite->x(), f.drifts ? 130.0 : 140.0);
    }
}

TEST_F(LevelsTest, TheBannerFadesInAndOutWhilePlayingAndHoldsStillBetweenRounds)
{
    startQuietGame();
    ASSERT_EQ(levelBannerSprite->alpha(), 0.0);
    runPasses(50);
    EXPECT_NEAR(levelBannerSprite->alpha(), 0.5, 1e-5);

    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses);
    EXPECT_NEAR(levelBannerSprite->alpha(), 0.5, 1e-5) << "still during the pause";

    int passes = 50;
    for (; levelBannerSprite->alpha() < 1.0 && passes < 200; ++passes)
        runPasses(1);
    EXPECT_NEAR(passes, 100, 1) << "fades in over about 100 playing passes";
    runPasses(98);
    EXPECT_GT(levelBannerSprite->alpha(), 0.0);
    EXPECT_LT(levelBannerSprite->alpha(), 0.05);
    runPasses(5);
    EXPECT_LE(levelBannerSprite->alpha(), 0.0) << "out over the next 100";
}

TEST_F(LevelsTest, ScoresShowAsSixDigits)
{
    startQuietGame(2);
    EXPECT_EQ(shownScore(0), "000000");
    tank[0].score = 120;
    showScore(0);
    EXPECT_EQ(shownScore(0), "000120");
    tank[1].score = 4567;
    showScore(1);
    EXPECT_EQ(shownScore(1), "004567");
    for (int j = 0; j < kScoreDigits; ++j) {
        EXPECT_NEAR(p1ScoreDigitSprite[j]->x(), 525 + 10 * j, 0.5);
        EXPECT_NEAR(p2ScoreDigitSprite[j]->x(), 55 + 10 * j, 0.5);
        EXPECT_TRUE(p1ScoreDigitSprite[j]->visible && p2ScoreDigitSprite[j]->visible);
    }

    // A kill that takes the score to seven digits leaves the display as it was.
    tank[0].score = 999990;
    showScore(0);
    const std::vector<Sprite*> before(p1ScoreDigitSprite, p1ScoreDigitSprite + kScoreDigits);
    destroyAlien(0, 0);
    EXPECT_EQ(tank[0].score, 1000000u);
    EXPECT_EQ(shownScore(0), "999990");
    EXPECT_EQ(std::vector<Sprite*>(p1ScoreDigitSprite, p1ScoreDigitSprite + kScoreDigits), before)
        << "the digit sprites are left alone";
}

TEST_F(LevelsTest, TheLivesDigitReadsOneThroughTheWholeEndAndTheMenuFollows180PassesLater)
{
    startQuietGame();
    for (int left : {2, 1}) {
        destroyTank(0, kNoShield, kNoFlare);
        runPasses(kRoundPausePasses);
        EXPECT_EQ(shownDigit(livesDigitSprite), unsigned(left));
    }
    destroyTank(0, kNoShield, kNoFlare);
    EXPECT_EQ(lives, 0);
    EXPECT_TRUE(gameOver);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel)) << "the laugh";
    for (int pass = 1; pass < kGameEndPasses; ++pass) {
        runPasses(1);
        ASSERT_EQ(shownDigit(livesDigitSprite), 1u) << "pass " << pass;
        ASSERT_FALSE(menuActive) << "pass " << pass;
        if (pass == 100) {
            EXPECT_NEAR(endBanner->alpha(), 1.0, 1e-9) << "the banner fades in over 100 passes";
        }
    }
    runPasses(1);
    EXPECT_TRUE(menuActive);
    EXPECT_FALSE(gameOver);
    EXPECT_EQ(endBanner, nullptr);
    EXPECT_EQ(shownDigit(livesDigitSprite), 3u);
}

TEST_F(LevelsTest, ALifeLostInThePassThatClearsTheLevelCountsInTheNextLevel)
{
    startQuietGame();
    for (int i = 1; i < kAlienCount; ++i)
        destroyAlien(i, 0);
    // In the next pass player 1's shot meets the last alien, and a flare
    // falls onto the tank.
    placeAlien(0, 300.0, 200.0);
    placeShot(0, 305.0, 210.0);
    placeFlare(0, 300.0, 450.0);

    runPasses(1);
    EXPECT_EQ(aliensAlive, 0);
    EXPECT_EQ(lives, 2);
    EXPECT_FALSE(gameOver);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    EXPECT_EQ(level, 2);
    EXPECT_TRUE(levelCleared);
    EXPECT_EQ(roundPause, 0);
    runPasses(kRoundPausePasses);
    EXPECT_EQ(roundPause, -1);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(aliensAlive, kAlienCount);
    EXPECT_DOUBLE_EQ(alien[0].y, -(54.0 + 50.0)) << "level 2's formation";
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(shownDigit(livesDigitSprite), 2u);
    EXPECT_TRUE(tank[0].tankBodySprite->visible);
}

TEST_F(LevelsTest, ClearingLevel63WinsTheGame)
{
    startQuietGame();
    playLevel(63);
    for (int i = 0; i < kAlienCount; ++i)
        destroyAlien(i, 0);
    EXPECT_EQ(level, 64);
    runPasses(kRoundPausePasses);
    EXPECT_TRUE(gameOver);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, youWinTexture->textureName);
    EXPECT_NEAR(endBanner->alpha(), 0.01, 1e-9) << "fading in from this pass";
    EXPECT_EQ(aliensAlive, 0) << "no level 64 formation";
    for (int i = 0; i < kAlienCount; ++i)
        EXPECT_FALSE(alien[i].alive || alienSprite[i]->visible) << "alien " << i;

    runPasses(kGameEndPasses - 1);
    EXPECT_FALSE(menuActive);
    EXPECT_EQ(levelBannerSprite->alpha(), 0.0) << "no level 64 banner";
    runPasses(1);
    EXPECT_TRUE(menuActive);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(aliensAlive, kAlienCount);
}

TEST_F(LevelsTest, TheFormationLandingEndsTheGameWithoutASoundOrALostLife)
{
    startQuietGame();
    shieldsGone = true;  // knocked away long before, as in a real game
    mothershipActive = true;  // crossing, so no entry sound this pass
    mothershipX = 100.0;
    placeAlien(0, 10.0, 430.0);
    FSOUND_StopSound(FSOUND_ALL);

    runPasses(1);
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(lives, 3);
    for (int channel = 0; channel < 32; ++channel)
        EXPECT_FALSE(FSOUND_IsPlaying(channel)) << "channel " << channel;
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_EQ(endBanner->alpha(), 0.0);
    EXPECT_EQ(roundPause, -1);
    EXPECT_TRUE(tank[0].tankBodySprite->visible) << "no tank is lost";

    runPasses(1);
    EXPECT_EQ(roundPause, 0);
    runPasses(kGameEndPasses - 1);
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive);
}

TEST_F(LevelsTest, AfterATwoPlayerGameNobodyEntersTheHallOfFame)
{
    for (int players : {2, 1}) {
        startQuietGame(players);
        hallOfFame[9].score = 0;
        tank[0].score = 5000;
        tank[1].score = 7000;
        lives = 1;
        destroyTank(0, kNoShield, kNoFlare);
        runPasses(kGameEndPasses);
        EXPECT_TRUE(menuActive);
        EXPECT_EQ(hallOfFameActive, players == 1) << players << " players";
        EXPECT_EQ(nameEntryActive, players == 1) << players << " players";
        EXPECT_EQ(tank[0].score, players == 1 ? 5000u : 0u) << players << " players";
    }
    returnToTitleMenu();
}

}  // namespace
