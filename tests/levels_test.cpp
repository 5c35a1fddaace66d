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
        tank[0].tilt = tank[0].tiltVel = 2.0;
        playLevel(f.level);
        EXPECT_TRUE(tank[0].tilt == 0.0 && tank[0].tiltVel == 0.0) << "the tank starts upright and still";
        EXPECT_TRUE(level == f.level && fireDivisor == f.fireDivisor && shieldPushStrength == f.push);
        EXPECT_DOUBLE_EQ(alien[0].y, -(f.base + 50.0));
        EXPECT_DOUBLE_EQ(alien[35].y, -(f.base + 50.0 + 160.0));
        EXPECT_DOUBLE_EQ(alien[35].x, 120.0 + 74.0 * 5);
        const double alpha = f.fades ? double(0.02f) : 1.0;
        EXPECT_TRUE(alien[17].alpha == alpha && alienSprite[17]->alpha() == alpha && alien[17].alive);
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

// The banner fades in over 100 playing passes and out over the next 100,
// holding still between rounds, as does the formation; the lives digit
// reads one through the whole end, and the menu follows 180 passes later.
TEST(LevelsTest, LostLivesPauseTheRoundAndTheLastEndsTheGame)
{
    startQuietGame();
    runPasses(50);
    EXPECT_NEAR(levelBannerSprite->alpha(), 0.5, 1e-5);
    for (int left : {2, 1}) {
        destroyTank(0, kNoShield, kNoFlare);
        const double alienY = alien[35].y, banner = levelBannerSprite->alpha();
        runPasses(kRoundPausePasses - 1);
        EXPECT_TRUE(roundPause == 99 && alien[35].y == alienY && levelBannerSprite->alpha() == banner);
        runPasses(1);
        EXPECT_TRUE(roundPause == -1 && tank[0].tankBodySprite->visible && shownDigit(livesDigitSprite) == unsigned(left));
    }
    int passes = 50;
    for (; levelBannerSprite->alpha() < 1.0 && passes < 200; ++passes)
        runPasses(1);
    EXPECT_NEAR(passes, 100, 1);
    runPasses(103);
    EXPECT_LE(levelBannerSprite->alpha(), 0.0);
    destroyTank(0, kNoShield, kNoFlare);
    EXPECT_TRUE(lives == 0 && gameOver && endBanner && endBanner->textureName == gameOverTexture->textureName);
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel)) << "the laugh";
    for (int pass = 1; pass < kGameEndPasses; ++pass) {
        runPasses(1);
        ASSERT_TRUE(shownDigit(livesDigitSprite) == 1u && !menuActive) << "pass " << pass;
        ASSERT_TRUE(pass != 100 || std::fabs(endBanner->alpha() - 1.0) < 1e-9) << "the banner fades in over 100 passes";
    }
    runPasses(1);
    EXPECT_TRUE(menuActive && !gameOver && endBanner == nullptr && shownDigit(livesDigitSprite) == 3u);
}

TEST(LevelsTest, ScoresShowAsSixDigitsAndASeventhLeavesTheDisplayAlone)
{
    startQuietGame(2);
    tank[1].score = 4567;
    showScore(1);
    tank[0].score = 120;
    showScore(0);
    EXPECT_TRUE(shownScore(0) == "000120" && shownScore(1) == "004567");
    for (int j = 0; j < kScoreDigits; ++j) {
        EXPECT_NEAR(p1ScoreDigitSprite[j]->x(), 525 + 10 * j, 0.5);  // odd widths sit half a pixel left
        EXPECT_NEAR(p2ScoreDigitSprite[j]->x(), 55 + 10 * j, 0.5);
    }
    tank[0].score = 999990;
    showScore(0);
    Sprite* const first = p1ScoreDigitSprite[0];
    destroyAlien(0, 0);
    EXPECT_TRUE(tank[0].score == 1000000u && shownScore(0) == "999990" && p1ScoreDigitSprite[0] == first);
    returnToTitleMenu();
    EXPECT_TRUE(shownScore(0) == "000000" && !p2ScoreDigitSprite[0]->visible) << "back at the title";
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
    runPasses(kRoundPausePasses);
    EXPECT_TRUE(roundPause == -1 && level == 2 && aliensAlive == kAlienCount && lives == 2 && !levelCleared);
    EXPECT_DOUBLE_EQ(alien[0].y, -(54.0 + 50.0)) << "level 2's formation";
    EXPECT_TRUE(shownDigit(livesDigitSprite) == 2u && tank[0].tankBodySprite->visible);
}

// Clearing level 63 wins; the formation landing loses, silently and with
// every life left. Either way the menu is back 180 passes after the end.
TEST(LevelsTest, WinningAndLandingEndTheGame)
{
    for (bool win : {true, false}) {
        startQuietGame();
        if (win) {
            playLevel(63);
            for (int i = 0; i < kAlienCount; ++i)
                destroyAlien(i, 0);
            runPasses(kRoundPausePasses);
            EXPECT_TRUE(level == 64 && aliensAlive == 0 && !alienSprite[7]->visible) << "no level 64 formation";
        } else {
            shieldsGone = true;       // knocked away long before, as in a real game
            mothershipActive = true;  // crossing, so no entry sound this pass
            placeAlien(0, 10.0, 430.0);
            FSOUND_StopSound(FSOUND_ALL);
            runPasses(1);
            for (int channel = 0; channel < 32; ++channel)
                EXPECT_FALSE(FSOUND_IsPlaying(channel)) << "channel " << channel;
            EXPECT_TRUE(lives == 3 && roundPause == -1 && tank[0].tankBodySprite->visible);
        }
        ASSERT_TRUE(gameOver && endBanner);
        EXPECT_EQ(endBanner->textureName, (win ? youWinTexture : gameOverTexture)->textureName);
        EXPECT_NEAR(endBanner->alpha(), win ? 0.01 : 0.0, 1e-9);
        runPasses(win ? kGameEndPasses - 1 : kGameEndPasses);  // the pause starts a pass after the landing
        EXPECT_TRUE(!menuActive && (!win || levelBannerSprite->alpha() <= 0.0)) << "no level 64 banner";
        runPasses(1);
        EXPECT_TRUE(menuActive && level == 1 && aliensAlive == kAlienCount);
    }
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
