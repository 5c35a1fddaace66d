// Levels and the end of a game: what each level number sets, the score
// panels, and landing.
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

// Each player's six score digits stand 10 pixels apart in their own panel
// (odd widths sit half a pixel left).
TEST(LevelsTest, ScoresShowInTheirPanels)
{
    startQuietGame(2);
    showScore(0);
    showScore(1);
    for (int j = 0; j < kScoreDigits; ++j)
        EXPECT_TRUE(std::fabs(p1ScoreDigitSprite[j]->x() - (525 + 10 * j)) <= 0.5 &&
                    std::fabs(p2ScoreDigitSprite[j]->x() - (55 + 10 * j)) <= 0.5) << "digit " << j;
}

// The formation landing ends the game silently, with every life left, and
// the menu is back 180 passes later. (Winning shows in the replay's record.)
TEST(LevelsTest, LandingEndsTheGame)
{
    startQuietGame();
    shieldsGone = true;       // knocked away long before, as in a real game
    mothershipActive = true;  // crossing, so no entry sound this pass
    placeAlien(0, 10.0, 430.0);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1);
    for (int channel = 0; channel < 32; ++channel)
        EXPECT_FALSE(FSOUND_IsPlaying(channel)) << "channel " << channel;
    EXPECT_TRUE(lives == 3 && roundPause == -1 && tank[0].tankBodySprite->visible);
    ASSERT_TRUE(gameOver && endBanner);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_EQ(endBanner->alpha(), 0.0);
    runPasses(kGameEndPasses);  // the pause starts a pass after the landing
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive && level == 1 && aliensAlive == kAlienCount);
}

}  // namespace
