// Levels, lives and the end of a game: what each level number sets, the
// level banner, the score and lives displays, winning, landing, and what
// follows the end of a game.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelsTest, EachLevelNumberSetsItsFeatures)
{
    struct Features {
        int level;
        double base;
        int band, fireDivisor, push;
        bool drifts, fades;
    };
    const double weave = 4.0 * std::sin(100.0 / 4.0 - 2.0);
    for (const Features& f : {Features{1, 0, 0, 400, 1, false, false}, {8, 162, 1, 400, 1, false, false},
                              {9, 0, 2, 200, 2, false, false}, {16, 162, 3, 200, 2, false, false},
                              {17, 0, 0, 400, 1, true, false}, {32, 162, 3, 200, 2, true, false},
                              {33, 0, 0, 400, 1, false, true}, {63, 108, 3, 200, 2, true, true}}) {
        SCOPED_TRACE("level " + std::to_string(f.level));
        startQuietGame();
        playLevel(f.level);
        EXPECT_TRUE(level == f.level && fireDivisor == f.fireDivisor && shieldPushStrength == f.push);
        EXPECT_DOUBLE_EQ(alien[0].y, -(f.base + 50.0));
        EXPECT_DOUBLE_EQ(alien[35].y, -(f.base + 50.0 + 160.0));
        EXPECT_DOUBLE_EQ(alien[35].x, 120.0 + 74.0 * 5);
        const double alpha = f.fades ? double(0.02f) : 1.0;
        EXPECT_TRUE(alien[17].alpha == alpha && alienSprite[17]->alpha() == alpha);
        EXPECT_TRUE(alienSprite[17]->visible && alien[17].alive);
        placeFlare(0, 100.0, 100.0);
        flareStep(0);
        EXPECT_DOUBLE_EQ(alienBombSprite[0]->y(), f.band < 2 ? 101.0 : 102.0);
        EXPECT_DOUBLE_EQ(alienBombSprite[0]->x(), f.band % 2 == 1 ? 100.0 + weave : 100.0);
        alienBombSprite[0]->hide();
        fireDivisor = 1;
        runPasses(10);
        EXPECT_DOUBLE_EQ(shield[0].shieldArcSprite->x(), f.drifts ? 130.0 : 140.0);
    }
}

TEST(LevelsTest, TheBannerFadesInAndOutWhilePlayingAndHoldsStillBetweenRounds)
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
    EXPECT_TRUE(levelBannerSprite->alpha() > 0.0 && levelBannerSprite->alpha() < 0.05);
    runPasses(5);
    EXPECT_LE(levelBannerSprite->alpha(), 0.0) << "out over the next 100";
}

TEST(LevelsTest, ScoresShowAsSixDigitsAndASeventhLeavesTheDisplayAlone)
{
    startQuietGame(2);
    tank[0].score = 120;
    showScore(0);
    tank[1].score = 4567;
    showScore(1);
    EXPECT_EQ(shownScore(0), "000120");
    EXPECT_EQ(shownScore(1), "004567");
    for (int j = 0; j < kScoreDigits; ++j) {
        EXPECT_NEAR(p1ScoreDigitSprite[j]->x(), 525 + 10 * j, 0.5);  // odd widths sit half a pixel left
        EXPECT_NEAR(p2ScoreDigitSprite[j]->x(), 55 + 10 * j, 0.5);
        EXPECT_TRUE(p1ScoreDigitSprite[j]->visible && p2ScoreDigitSprite[j]->visible);
    }
    tank[0].score = 999990;
    showScore(0);
    Sprite* const first = p1ScoreDigitSprite[0];
    destroyAlien(0, 0);
    EXPECT_EQ(tank[0].score, 1000000u);
    EXPECT_EQ(shownScore(0), "999990");
    EXPECT_EQ(p1ScoreDigitSprite[0], first) << "the digit sprites are left alone";
}

TEST(LevelsTest, TheLivesDigitReadsOneThroughTheWholeEndAndTheMenuFollows180PassesLater)
{
    startQuietGame();
    for (int left : {2, 1}) {
        destroyTank(0, kNoShield, kNoFlare);
        const double alienY = alien[35].y;
        runPasses(kRoundPausePasses - 1);
        EXPECT_TRUE(roundPause == 99 && alien[35].y == alienY) << "the formation stands still between rounds";
        runPasses(1);
        EXPECT_TRUE(roundPause == -1 && tank[0].tankBodySprite->visible && shownDigit(livesDigitSprite) == unsigned(left));
    }
    destroyTank(0, kNoShield, kNoFlare);
    EXPECT_TRUE(lives == 0 && gameOver);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel)) << "the laugh";
    for (int pass = 1; pass < kGameEndPasses; ++pass) {
        runPasses(1);
        ASSERT_EQ(shownDigit(livesDigitSprite), 1u) << "pass " << pass;
        ASSERT_FALSE(menuActive) << "pass " << pass;
        ASSERT_TRUE(pass != 100 || std::fabs(endBanner->alpha() - 1.0) < 1e-9) << "the banner fades in over 100 passes";
    }
    runPasses(1);
    EXPECT_TRUE(menuActive && !gameOver && endBanner == nullptr);
    EXPECT_EQ(shownDigit(livesDigitSprite), 3u);
}

TEST(LevelsTest, ALifeLostInThePassThatClearsTheLevelCountsInTheNextLevel)
{
    startQuietGame();
    for (int i = 1; i < kAlienCount; ++i)
        destroyAlien(i, 0);
    // In the next pass the shot meets the last alien, and a flare the tank.
    placeAlien(0, 300.0, 200.0);
    placeShot(0, 305.0, 210.0);
    placeFlare(0, 300.0, 450.0);
    runPasses(1);
    EXPECT_TRUE(aliensAlive == 0 && lives == 2 && !gameOver && level == 2 && levelCleared && roundPause == 0);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    runPasses(kRoundPausePasses);
    EXPECT_TRUE(roundPause == -1 && level == 2 && aliensAlive == kAlienCount && lives == 2 && !levelCleared);
    EXPECT_DOUBLE_EQ(alien[0].y, -(54.0 + 50.0)) << "level 2's formation";
    EXPECT_EQ(shownDigit(livesDigitSprite), 2u);
    EXPECT_TRUE(tank[0].tankBodySprite->visible);
}

TEST(LevelsTest, ClearingLevel63WinsTheGame)
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
    EXPECT_TRUE(menuActive && level == 1 && aliensAlive == kAlienCount);
}

TEST(LevelsTest, TheFormationLandingEndsTheGameWithoutASoundOrALostLife)
{
    startQuietGame();
    shieldsGone = true;  // knocked away long before, as in a real game
    mothershipActive = true;  // crossing, so no entry sound this pass
    mothershipX = 100.0;
    placeAlien(0, 10.0, 430.0);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1);
    EXPECT_TRUE(gameOver && lives == 3 && roundPause == -1);
    for (int channel = 0; channel < 32; ++channel)
        EXPECT_FALSE(FSOUND_IsPlaying(channel)) << "channel " << channel;
    ASSERT_NE(endBanner, nullptr);
    EXPECT_TRUE(endBanner->textureName == gameOverTexture->textureName && endBanner->alpha() == 0.0);
    EXPECT_TRUE(tank[0].tankBodySprite->visible) << "no tank is lost";
    runPasses(kGameEndPasses);
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive);
}

TEST(LevelsTest, OnlyAOnePlayerGameEndsInNameEntry)
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
        EXPECT_EQ(hallOfFameActive && nameEntryActive, players == 1) << players << " players";
        EXPECT_EQ(tank[0].score, players == 1 ? 5000u : 0u) << players << " players";
    }
    returnToTitleMenu();
}

}  // namespace
