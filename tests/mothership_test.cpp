// The mothership: its chance entry, the crossing, being shot down into five
// tumbling pieces, and its removal at a round start.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

// Seeds rand() so that its first draw, reduced by 1000, is `value`.
void seedFirstDrawTo(int value)
{
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        if (std::rand() % 1000 == value)
            return std::srand(seed);
    }
}

void placeMothership(double x)
{
    mothershipActive = true;
    mothershipX = x;
    mothershipSprite->setPosition(x, 20.0, 2.0);
    mothershipSprite->show();
}

bool shipGone() { return !mothershipActive && !mothershipSprite->visible && !FSOUND_IsPlaying(kMothershipChannel); }

TEST(MothershipTest, ItEntersOnlyWhenTheDrawIsTenAndCrossesIn375Passes)
{
    startQuietGame();
    for (int draw : {9, 11, 110, 510, 10}) {
        seedFirstDrawTo(draw);
        mothershipStep();
        EXPECT_EQ(mothershipActive && mothershipSprite->visible, draw == 10) << "draw " << draw;
    }
    EXPECT_DOUBLE_EQ(mothershipSprite->x(), -50.0);
    EXPECT_DOUBLE_EQ(mothershipSprite->y(), 0.0) << "it does not move in the pass it enters";
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel));
    EXPECT_EQ(Mix_Volume(kMothershipChannel, -1), MIX_MAX_VOLUME);
    runPasses(375);
    EXPECT_TRUE(mothershipActive && FSOUND_IsPlaying(kMothershipChannel)) << "its sound loops all the way";
    EXPECT_DOUBLE_EQ(mothershipX, 700.0);
    EXPECT_DOUBLE_EQ(mothershipSprite->y(), 20.0);
    runPasses(1);
    EXPECT_TRUE(shipGone());
}

TEST(MothershipTest, AHitCountsOnlyBeforeItLeavesAndOnlyForTheFirstPlayer)
{
    for (double x : {698.0, 700.0}) {
        startNewGame(2);
        placeMothership(x);
        placeShot(0, 720.0, 10.0);  // inside the ship at x 700 and at 702
        placeShot(1, 730.0, 10.0);
        mothershipStep();
        EXPECT_FALSE(mothershipActive);
        EXPECT_EQ(tank[0].score, x == 698.0 ? 50u : 0u) << "from x " << x;
        EXPECT_EQ(tank[1].score, 0u);
        EXPECT_TRUE(shot[0].active && shot[1].active) << "the shots fly on";
    }
}

TEST(MothershipTest, AHitScores50AndBreaksTheShipIntoFiveTumblingPieces)
{
    startQuietGame();
    seedFirstDrawTo(10);
    mothershipStep();
    runPasses(150);
    ASSERT_DOUBLE_EQ(mothershipX, 250.0);
    // Next pass the ship moves to 252 and the shot rises to y 16, between
    // two columns of the formation.
    placeShot(0, 300.0, 20.0);
    const double pieceX = 300.0 + shot[0].bulletSprite->scaledWidth() / 2;
    runPasses(1);
    EXPECT_TRUE(shipGone());
    EXPECT_EQ(shownScore(0), "000050");
    EXPECT_TRUE(revealPoint.x == 262.0 && revealPoint.y == 30.0);
    double spinSum = 0.0, angle[kDebrisPieces];
    for (int i = 0; i < kDebrisPieces; ++i) {
        const Sprite* piece = mothershipDebrisSprite[i];
        const DebrisPiece& d = mothershipDebris[i];
        EXPECT_TRUE(piece->visible && piece->textureName == mothershipPieceTexture[i]->textureName);
        EXPECT_DOUBLE_EQ(d.life, kDebrisLife - 1.0) << "launched, then flown once";
        EXPECT_NEAR(std::fabs(d.dx - 2.0), (1.4 + i) / 2, 1e-9) << "piece " << i;
        const double thrown = d.dy - kDebrisGravity;
        EXPECT_TRUE(thrown >= -16.0 / 30 - i + 3.0 - 1e-9 && thrown <= 3.0 / 30 - i + 3.0 + 1e-9) << "piece " << i;
        EXPECT_NEAR(piece->x(), pieceX + d.dx, 1e-9);
        EXPECT_NEAR(piece->y(), 16.0 + thrown, 1e-9);
        spinSum += std::fabs(piece->spin);
        angle[i] = piece->rotation();
    }
    EXPECT_GT(spinSum, 0.0);
    runPasses(100, Keys(), true);
    for (int i = 0; i < kDebrisPieces; ++i) {
        EXPECT_GT(mothershipDebrisSprite[i]->y(), 100.0) << "piece " << i << " falls";
        EXPECT_EQ(mothershipDebrisSprite[i]->rotation() != angle[i], mothershipDebrisSprite[i]->spin != 0.0);
    }
}

TEST(MothershipTest, ALostLifeRemovesItAtTheNextRoundStart)
{
    startQuietGame();
    seedFirstDrawTo(10);
    mothershipStep();
    runPasses(100);
    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses - 1);
    EXPECT_TRUE(mothershipActive && FSOUND_IsPlaying(kMothershipChannel)) << "it waits out the pause";
    EXPECT_DOUBLE_EQ(mothershipX, 150.0) << "without moving";
    runPasses(1);
    EXPECT_TRUE(roundPause == -1 && shipGone());
}

}  // namespace
