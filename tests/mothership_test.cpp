// The mothership: its chance entry, the crossing, being shot down, and its
// removal at a round start.
#include "game_harness.h"

#include "debris.h"
#include "game_state.h"
#include "main_loop.h"
#include "mothership.h"
#include "samples.h"
#include "scene.h"
#include "shots.h"
#include "sprite.h"
#include "texture.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class MothershipTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // The first seed from 1 up whose first draw, reduced by 1000, is `value`.
    static unsigned seedWhoseFirstDrawIs(int value)
    {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            if (std::rand() % 1000 == value)
                return seed;
        }
    }

    // A one-player game without flares, and the mothership brought in by
    // its own draw.
    static void startGameWithMothership()
    {
        startQuietGame();
        std::srand(seedWhoseFirstDrawIs(10));
        mothershipStep();
    }

    static void placeMothership(double x)
    {
        mothershipActive = true;
        mothershipX = x;
        mothershipSprite->setPosition(x, 20.0, 2.0);
        mothershipSprite->show();
    }

    // Out of play, out of sight and silent.
    static bool shipGone()
    {
        return !mothershipActive && !mothershipSprite->visible && !FSOUND_IsPlaying(kMothershipChannel);
    }
};

TEST_F(MothershipTest, ItEntersOnlyWhenTheDrawIsTen)
{
    startNewGame(1);
    for (int draw : {9, 11, 110, 510}) {
        std::srand(seedWhoseFirstDrawIs(draw));
        mothershipStep();
        EXPECT_FALSE(mothershipActive || mothershipSprite->visible) << "draw " << draw;
    }

    std::srand(seedWhoseFirstDrawIs(10));
    mothershipStep();
    EXPECT_TRUE(mothershipActive && mothershipSprite->visible);
    EXPECT_DOUBLE_EQ(mothershipX, -50.0);
    EXPECT_DOUBLE_EQ(mothershipSprite->x(), -50.0);
    EXPECT_DOUBLE_EQ(mothershipSprite->y(), 0.0) << "it does not move in the pass it enters";
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel));
    EXPECT_EQ(Mix_Volume(kMothershipChannel, -1), MIX_MAX_VOLUME);
}

TEST_F(MothershipTest, ACrossingTakes375Passes)
{
    startGameWithMothership();
    runPasses(375);
    EXPECT_TRUE(mothershipActive);
    EXPECT_DOUBLE_EQ(mothershipX, 700.0);
    EXPECT_DOUBLE_EQ(mothershipSprite->y(), 20.0);
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel)) << "its sound loops all the way";
    runPasses(1);
    EXPECT_TRUE(shipGone());
}

TEST_F(MothershipTest, AHitCountsOnlyBeforeItLeavesAndOnlyForTheFirstPlayer)
{
    for (double x : {698.0, 700.0}) {
        startNewGame(1);
        placeMothership(x);
        placeShot(0, 720.0, 10.0);  // inside the ship at x 700 and at 702
        mothershipStep();
        EXPECT_FALSE(mothershipActive);
        EXPECT_EQ(tank[0].score, x == 698.0 ? 50u : 0u) << "from x " << x;
        EXPECT_TRUE(shot[0].active) << "the shot flies on either way";
    }

    // Two shots in one pass.
    startNewGame(2);
    placeMothership(200.0);
    placeShot(0, 230.0, 10.0);
    placeShot(1, 240.0, 10.0);
    mothershipStep();
    EXPECT_FALSE(mothershipActive);
    EXPECT_EQ(tank[0].score, 50u);
    EXPECT_EQ(tank[1].score, 0u);
    EXPECT_TRUE(shot[0].active && shot[1].active);
}

TEST_F(MothershipTest, AHitScores50AndBreaksTheShipIntoFiveTumblingPieces)
{
    startGameWithMothership();
    runPasses(150);  // at x 250
    ASSERT_DOUBLE_EQ(mothershipX, 250.0);
    // In the next pass the ship moves to 252 and the shot rises to y 16,
    // between two columns of the formation.
    placeShot(0, 300.0, 20.0);
    const double pieceX = 300.0 + shot[0].bulletSprite->scaledWidth() / 2;
    runPasses(1);
    EXPECT_TRUE(shipGone());
    EXPECT_EQ(tank[0].score, 50u);
    EXPECT_EQ(shownScore(0), "000050");
    EXPECT_DOUBLE_EQ(revealPoint.x, 262.0);
    EXPECT_DOUBLE_EQ(revealPoint.y, 30.0);

    // Each piece starts at the shot and drifts off to the right of its
    // sideways kick; none is still.
    double spinSum = 0.0;
    for (int i = 0; i < kDebrisPieces; ++i) {
        Sprite* piece = mothershipDebrisSprite[i];
        EXPECT_TRUE(piece->visible) << "piece " << i;
        EXPECT_EQ(piece->textureName, mothershipPieceTexture[i]->textureName);
        EXPECT_DOUBLE_EQ(mothershipDebris[i].life, kDebrisLife - 1.0) << "launched, then flown once";
        EXPECT_NEAR(std::fabs(mothershipDebris[i].dx - 2.0), (1.4 + i) / 2, 1e-9) << "piece " << i;
        const double thrown = mothershipDebris[i].dy - kDebrisGravity;
        EXPECT_GE(thrown, -16.0 / 30 - i + 3.0 - 1e-9) << "piece " << i;
        EXPECT_LE(thrown, 3.0 / 30 - i + 3.0 + 1e-9) << "piece " << i;
        EXPECT_NEAR(piece->x(), pieceX + mothershipDebris[i].dx, 1e-9);
        EXPECT_NEAR(piece->y(), 16.0 + thrown, 1e-9);
        spinSum += std::fabs(piece->spin);
    }
    EXPECT_GT(spinSum, 0.0);

    // Drawn, they tumble; they fall, and after 300 passes they are gone.
    double angle[kDebrisPieces];
    for (int i = 0; i < kDebrisPieces; ++i)
        angle[i] = mothershipDebrisSprite[i]->rotation();
    runPasses(100, Keys(), true);
    for (int i = 0; i < kDebrisPieces; ++i) {
        Sprite* piece = mothershipDebrisSprite[i];
        EXPECT_GT(piece->y(), 100.0) << "piece " << i << " falls";
        EXPECT_EQ(piece->rotation() != angle[i], piece->spin != 0.0) << "piece " << i << " turns by its spin";
    }
    runPasses(198);
    EXPECT_TRUE(mothershipDebrisSprite[0]->visible);
    runPasses(1);
    for (int i = 0; i < kDebrisPieces; ++i)
        EXPECT_FALSE(mothershipDebrisSprite[i]->visible) << "piece " << i;
}

TEST_F(MothershipTest, ALostLifeRemovesItAtTheNextRoundStart)
{
    startGameWithMothership();
    runPasses(100);
    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses - 1);
    EXPECT_TRUE(mothershipActive) << "it waits out the pause";
    EXPECT_DOUBLE_EQ(mothershipX, 150.0) << "without moving";
    EXPECT_TRUE(FSOUND_IsPlaying(kMothershipChannel));
    runPasses(1);
    EXPECT_EQ(roundPause, -1);
    EXPECT_TRUE(shipGone());
}

}  // namespace
