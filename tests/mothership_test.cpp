// The mothership: its chance entry and crossing, and the last pass in which
// a hit counts.
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

}  // namespace
