// Levels and the end of a game: what each level number sets, the formation
// coming low, the score panels.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

// Per level: the top and bottom rows' y, a flare's first step from
// (100, 100), the fire divisor, the shields' push and place, the opacity.
TEST(LevelsTest, EachLevelNumberSetsItsFeatures)
{
    constexpr double kLastColumnX = 490.0;
    constexpr double kWovenX = 96.61511838329932;  // 100 + 4 sin(100 / 4 - 2)
    for (auto [n, topY, bottomY, flareX, flareY, divisor, push, alpha, shieldX] :
         {std::tuple{1, -50.0, -210.0, 100.0, 101.0, 400, 1, 1.0, 140.0}, {8, -212, -372, kWovenX, 101, 400, 1, 1.0, 140},
          {9, -50, -210, 100, 102, 200, 2, 1.0, 140}, {16, -212, -372, kWovenX, 102, 200, 2, 1.0, 140},
          {17, -50, -210, 100, 101, 400, 1, 1.0, 130}, {32, -212, -372, kWovenX, 102, 200, 2, 1.0, 130},
          {33, -50, -210, 100, 101, 400, 1, 0.02f, 140}, {63, -158, -318, kWovenX, 102, 200, 2, 0.02f, 130}}) {
        SCOPED_TRACE("level " + std::to_string(n));
        startQuietGame();
        tank[0].tilt = tank[0].tiltVel = 2.0;
        playLevel(n);
        EXPECT_EQ(tank[0].tilt, 0.0) << "the tank starts upright and still";
        EXPECT_EQ(tank[0].tiltVel, 0.0) << "the tank starts upright and still";
        EXPECT_EQ(level, n);
        EXPECT_EQ(fireDivisor, divisor);
        EXPECT_EQ(shieldPushStrength, push);
        EXPECT_EQ(alien[0].y, topY);
        EXPECT_EQ(alien[35].y, bottomY);
        EXPECT_EQ(alien[35].x, kLastColumnX);
        EXPECT_EQ(alien[17].alpha, alpha);
        EXPECT_EQ(alienSprite[17]->alpha(), alpha);
        EXPECT_TRUE(alien[17].alive);
        placeFlare(0, 100.0, 100.0);
        flareStep(0);
        EXPECT_DOUBLE_EQ(alienBombSprite[0]->x(), flareX);
        EXPECT_EQ(alienBombSprite[0]->y(), flareY);
        alienBombSprite[0]->hide();
        fireDivisor = 1;  // the sky quiet again
        runPasses(10);
        EXPECT_EQ(shield[0].shieldArcSprite->x(), shieldX);
    }
}

// From level 33 a kill shows the faint aliens by their distance d from it
// (between the aliens' points 10 in from their corners): 100 / d more.
TEST(LevelsTest, AKillRevealsTheFaintAliensByTheirDistanceFromIt)
{
    startClearRound(1);
    level = 33;
    placeAlien(0, 200.0, 100.0);
    placeAlien(1, 500.0, 100.0);
    alien[1].alpha = 0.02;
    destroyAlien(0, 0);
    EXPECT_NEAR(alien[1].alpha, 0.02 + 100.0 / 300.0, 1e-12);
}

// An alien past y 360 knocks the shields away (sunk past y 700, or taken at
// the next round start) until a new level; one at y 430 lands and ends the
// game silently with every life left, the menu back 180 passes later.
TEST(LevelsTest, TheFormationComingLowKnocksTheShieldsAwayAndLands)
{
    constexpr double kShieldsDownY = 360.0, kGoneY = 700.0, kLandingY = 430.0;
    constexpr int kLongEnough = 1000;  // passes; the shields sink in about 150
    for (bool loseALife : {true, false}) {
        startClearRound(1);
        tank[0].x = kTankRightLimit;  // clear of the sinking shields
        for (Shield& s : shield)
            s.alive = true;
        placeAlien(0, 0.0, kShieldsDownY);  // at the left edge, clear of them too
        runPasses(1);
        EXPECT_FALSE(shieldsGone) << "not yet at y 360";
        placeAlien(0, 0.0, std::nextafter(kShieldsDownY, kGoneY));
        runPasses(1);
        EXPECT_TRUE(shieldsGone);
        if (loseALife) {  // the tank hit, the pause, and the next round's start
            placeFlare(0, tank[0].tankBodySprite->x(), tank[0].tankBodySprite->y());
            runPasses(1 + kRoundPausePasses);
        }
        for (int pass = 0; pass < kLongEnough && shield[2].alive; ++pass)
            runPasses(1);
        for (const Shield& s : shield) {
            EXPECT_FALSE(s.alive);
            EXPECT_FALSE(s.shieldArcSprite->visible);
            EXPECT_FALSE(s.shieldBallSprite[0]->visible);
            EXPECT_EQ(s.shieldArcSprite->y() > kGoneY, !loseALife) << "sunk, or taken away first";
        }
        if (loseALife) {
            playLevel(2);
            EXPECT_FALSE(shieldsGone) << "back on a new level";
            for (const Shield& s : shield) {
                EXPECT_TRUE(s.alive) << "back on a new level";
                EXPECT_TRUE(s.shieldArcSprite->visible) << "back on a new level";
            }
        }
    }
    mothershipActive = true;  // crossing, so no entry sound this pass
    placeAlien(0, 0.0, kLandingY);  // then, the shields long gone, one lands
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1);
    for (int channel = 0; channel < kMixChannels; ++channel)
        EXPECT_FALSE(FSOUND_IsPlaying(channel)) << "channel " << channel;
    EXPECT_EQ(lives, kStartLives);
    EXPECT_EQ(roundPause, -1);
    EXPECT_TRUE(tank[0].tankBodySprite->visible);
    ASSERT_TRUE(gameOver);
    ASSERT_TRUE(endBanner);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName());
    EXPECT_EQ(endBanner->alpha(), 0.0);
    runPasses(kGameEndPasses);  // the pause starts a pass after the landing
    EXPECT_FALSE(menuActive);
    runPasses(1);
    EXPECT_TRUE(menuActive);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(aliensAlive, kAlienCount);
}

// Ramming a shield scores 20 for one player, 10 each for two; each panel's
// six digits stand 10 pixels apart.
TEST(LevelsTest, AnAlienRammingAShieldScoresInThePanels)
{
    for (auto [players, score1, score2] : {std::tuple{1u, 20u, 0u}, {2u, 10u, 10u}}) {
        startClearRound(players);
        Shield& rammed = shield[players == 1 ? 0 : kShieldCount - 1];  // the first and the last
        rammed.alive = true;
        placeAlien(0, rammed.shieldArcSprite->x(), rammed.shieldArcSprite->y());  // its corner on the bar
        runPasses(1);
        EXPECT_FALSE(alien[0].alive) << players << " player(s)";
        EXPECT_EQ(tank[0].score, score1) << players << " player(s)";
        EXPECT_EQ(tank[1].score, score2) << players << " player(s)";
    }
    constexpr double kPlayer1DigitX[] = {525, 535, 545, 555, 565, 575};
    constexpr double kPlayer2DigitX[] = {55, 65, 75, 85, 95, 105};
    for (int j = 0; j < kScoreDigits; ++j) {
        EXPECT_NEAR(p1ScoreDigitSprite[j]->x(), kPlayer1DigitX[j], 0.5) << "digit " << j;
        EXPECT_NEAR(p2ScoreDigitSprite[j]->x(), kPlayer2DigitX[j], 0.5) << "digit " << j;
    }
}

}  // namespace
