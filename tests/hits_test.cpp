// What shots and flares hit and what each destruction does, through real
// passes: hit boxes at their exact bounds, shields in the way, the score for
// a rammed shield, explosion slots and lost tanks.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

constexpr double kHair = 1e-6;

// A shield brought back into play with its arc at (x, y), still.
void placeShield(int s, double x, double y)
{
    shield[s].alive = true;
    shield[s].vy = 0.0;
    shield[s].shieldArcSprite->setPosition(x, y, 3.0);
    shield[s].shieldArcSprite->setRotation(0.0);
    shield[s].shieldArcSprite->spin = 0.0;
}

// Where a debris piece was launched, from where one flight step left it.
double launchX(const Sprite* s, const DebrisPiece& piece) { return s->x() - piece.dx; }
double launchY(const Sprite* s, const DebrisPiece& piece) { return s->y() - (piece.dy - 0.07); }

TEST(HitsTest, ShotsAndAliensFlaresAndTanksTouchAtTheirExactBounds)
{
    startClearRound(1);
    // Alien at (200, 100): the shot's points are x + 2, x + 5 and y + 2, y + 9
    // against the alien's 27 pixels.
    for (auto [bx, by, hit] : {std::tuple{200.0, 100.0, true}, {200.0, 91.0, true}, {200.0, 91 - kHair, false},
                               {200.0, 125.0, true}, {200.0, 125 + kHair, false}, {195.0, 100.0, true},
                               {195 - kHair, 100.0, false}, {225.0, 100.0, true}, {225 + kHair, 100.0, false}}) {
        placeAlien(20, 200.0, 100.0);
        placeShot(0, bx, by);
        aliensAlive = 36;
        shotHitsAlien(20);
        EXPECT_EQ(alien[20].alive == 0, hit) << "shot at (" << bx << ", " << by << ")";
        EXPECT_EQ(shot[0].active, !hit);
    }
    // The wheel cover is the leftmost part tested, the cannon the highest.
    const Sprite *cover = tank[0].tankWheelsSprite, *cannon = tank[0].tankCannonSprite;
    for (auto [fx, fy, hit] : {std::tuple{cover->x() - 9.0, cover->y() + 1.0, true},
                               {cover->x() - 9.0 - kHair, cover->y() + 1.0, false},
                               {cannon->x() - 2.0, cannon->y() - 9.0, true},
                               {cannon->x() - 2.0, cannon->y() - 9.0 - kHair, false}}) {
        lives = 3;
        roundPause = -1;
        placeFlare(0, fx, fy);
        flareHitsTank(0);
        EXPECT_EQ(lives == 2, hit) << "flare at (" << fx << ", " << fy << ")";
        EXPECT_EQ(alienBombSprite[0]->visible == 0, hit);
    }
}

TEST(HitsTest, AShotLeavingTheTopStillHitsAShieldInThatPass)
{
    for (bool withShield : {true, false}) {
        startClearRound(1);
        if (withShield)
            placeShield(1, 290.0, -14.0);  // its outline spans y -19.4 to -8.6
        placeShot(0, 307.0, -13.0);        // flies to -17: gone, but its box overlaps
        FSOUND_StopSound(FSOUND_ALL);
        runPasses(1);
        EXPECT_FALSE(shot[0].active || shot[0].bulletSprite->visible);
        EXPECT_EQ(freeChannelPlaying(), withShield) << "the shield sounds";
        if (withShield) {
            EXPECT_NEAR(shield[1].vy, 0.05 * 0.99 - 2.0, 1e-9) << "the shield is pushed up";
            EXPECT_DOUBLE_EQ(shield[1].shieldArcSprite->spin, 1.0) << "hit left of its middle";
        }
    }
}

TEST(HitsTest, AnAlienThatRunsIntoAShieldScores20ForOnePlayerAnd10EachForTwo)
{
    startClearRound(1);
    placeShield(0, 140.0, 200.0);  // outline x 115.3 to 202.7, y 194.6 to 205.4
    placeAlien(35, 150.0, 195.0);
    runPasses(1);
    EXPECT_FALSE(alien[35].alive || alienSprite[35]->visible);
    EXPECT_EQ(tank[0].score, 20u);
    EXPECT_GT(shield[0].vy, 3.0) << "the shield is shoved down";
    EXPECT_DOUBLE_EQ(marchSpeed, -0.17 * 1.11);
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        EXPECT_EQ(alienDebris[piece][0].life, 299.0);
        EXPECT_NEAR(launchX(alienDebrisSprite[piece][0], alienDebris[piece][0]), 150.0 + 32.0, 1e-9);
        EXPECT_NEAR(launchY(alienDebrisSprite[piece][0], alienDebris[piece][0]), 195.0 + 32.0, 1e-9);
    }
    startClearRound(2);
    placeAlien(35, 150.0, 195.0);
    destroyAlien(35, kByShield);
    EXPECT_TRUE(tank[0].score == 10u && tank[1].score == 10u);
}

TEST(HitsTest, AShotKillScores10AndTheSixthKillReusesExplosionSlotZero)
{
    startClearRound(1);
    placeAlien(32, 268.0, 220.0);
    tank[0].x = 260.0f;  // the shot goes up at x 280
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1, Keys{SDLK_SPACE});
    int pass = 1;
    for (; alien[32].alive && pass < 100; ++pass)
        runPasses(1);
    EXPECT_EQ(pass, 46) << "from 426, 4 pixels a pass, until y + 2 reaches 247";
    EXPECT_EQ(tank[0].score, 10u);
    EXPECT_FALSE(shot[0].active || shot[0].bulletSprite->visible);
    EXPECT_TRUE(aliensAlive == 35 && explosionSlot == 1);
    EXPECT_TRUE(FSOUND_IsPlaying(kAlienExplosionChannel));
    const double width = shot[0].bulletSprite->scaledWidth();
    EXPECT_NEAR(launchX(alienDebrisSprite[2][0], alienDebris[2][0]), 280.0 + width / 2, 1e-9);
    EXPECT_NEAR(launchY(alienDebrisSprite[2][0], alienDebris[2][0]), 426.0 - 4.0 * 46, 1e-9);

    for (int kill = 1; kill < 5; ++kill) {
        runPasses(10);
        placeAlien(kill, 100.0 + 40.0 * kill, 100.0);
        placeShot(0, 100.0 + 40.0 * kill, 100.0);
        destroyAlien(kill, 0);
    }
    runPasses(10);
    EXPECT_EQ(explosionSlot, 0);
    EXPECT_EQ(alienDebris[0][1].life, 260.0);
    placeAlien(5, 400.0, 300.0);
    placeShot(0, 400.0, 300.0);
    destroyAlien(5, 0);
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        EXPECT_EQ(alienDebris[piece][0].life, 300.0) << "piece " << piece;
        EXPECT_DOUBLE_EQ(alienDebrisSprite[piece][0]->x(), 400.0 + width / 2);
        EXPECT_DOUBLE_EQ(alienDebrisSprite[piece][0]->y(), 300.0);
        EXPECT_EQ(alienDebris[piece][1].life, 260.0) << "slot 1 flies on";
    }
    EXPECT_EQ(explosionSlot, 1);
}

TEST(HitsTest, FlaresCostALifeEachEvenTwoInAPassOrOneOverBothTanks)
{
    startClearRound(1);
    placeFlare(0, 300.0, 450.0);
    placeFlare(1, 302.0, 450.0);
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(gameOver || alienBombSprite[0]->visible || alienBombSprite[1]->visible);
    // The second loss relaunched the debris, from the second flare.
    EXPECT_NEAR(launchX(tankDebrisSprite[0][1], tankDebris[0][1]), 302.0 + 9.0, 1e-9);
    EXPECT_NEAR(launchY(tankDebrisSprite[0][1], tankDebris[0][1]), 451.0 + 7.0, 1e-9);

    startClearRound(2);
    tank[1].x = 200.0f;
    tank[0].x = 240.0f;
    placeFlare(0, 232.0, 460.0);  // x + 2 over player 2's cover, x + 9 on player 1's edge
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(tank[0].tankBodySprite->visible || tank[1].tankBodySprite->visible);
    EXPECT_TRUE(tankDebris[0][0].life == 299.0 && tankDebris[1][0].life == 299.0 && roundPause == 0);

    // The last life: the game ends with an unseen "Game Over", though
    // player 2 still stands (lives are shared).
    startClearRound(2);
    lives = 1;
    placeFlare(0, tank[0].tankBodySprite->x() + 2.0, tank[0].tankBodySprite->y() - 5.0);
    runPasses(1);
    EXPECT_TRUE(lives == 0 && gameOver && tank[1].tankBodySprite->visible);
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_TRUE(endBanner->alpha() == 0.0 && endBanner->depth() == 100.0);
    EXPECT_DOUBLE_EQ(endBanner->x(), 320.0 - gameOverTexture->imageWidth / 2);
    EXPECT_DOUBLE_EQ(endBanner->y(), 220.0);
}

}  // namespace
