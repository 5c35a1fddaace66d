// What shots and flares hit, at their exact bounds, and a life lost for each
// flare or shield a tank touches, even two in one pass.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

constexpr double kHair = 1e-6;

// Where a debris piece was launched, from where one flight step left it.
double launchX(const Sprite* s, const DebrisPiece& piece) { return s->x() - piece.dx; }
double launchY(const Sprite* s, const DebrisPiece& piece) { return s->y() - (piece.dy - kDebrisGravity); }

// A shot's points against an alien (27 pixels) are x + 2, x + 5, y + 2,
// y + 9, against a shield x + 2, x + 8, y + 2, y + 11, against the moving
// ship x + 2, x + 5, y + 2, y + 5; a flare meets a tank's wheel cover
// leftmost and its cannon highest.
TEST(HitsTest, ShotsAndFlaresTouchAliensTanksAndTheShipAtTheirExactBounds)
{
    startClearRound(1);
    for (auto [bx, by, hit] : {std::tuple{200.0, 100.0, true}, {200.0, 91.0, true}, {200.0, 91 - kHair, false},
                               {200.0, 125.0, true}, {200.0, 125 + kHair, false}, {195.0, 100.0, true},
                               {195 - kHair, 100.0, false}, {225.0, 100.0, true}, {225 + kHair, 100.0, false}}) {
        placeAlien(20, 200.0, 100.0);
        placeShot(0, bx, by);
        aliensAlive = 2;  // and the level ends with the last alien, not before
        shotHitsAlien(20);
        EXPECT_EQ(alien[20].alive, !hit) << "shot at (" << bx << ", " << by << ")";
        EXPECT_EQ(shot[0].active, !hit) << "shot at (" << bx << ", " << by << ")";
        EXPECT_FALSE(levelCleared) << "shot at (" << bx << ", " << by << ")";
    }
    aliensAlive = 1;
    destroyAlien(20, 0);
    EXPECT_TRUE(levelCleared);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(roundPause, 0);
    // A level bar from x 100 to 140, y 200 to 208; the shot stands still.
    for (auto [bx, by, hit] : {std::tuple{137.5, 204.0, true}, {91.5, 204.0, false}, {92.5, 204.0, true},
                               {120.0, 205.5, true}, {120.0, 188.5, false}, {120.0, 189.5, true}}) {
        shield[0].alive = true;
        shield[0].outline = {{100, 140, 140, 100}, {200, 200, 208, 208}};
        placeShot(0, bx, by);
        shot[0].vy = 0.0;
        shotFlight(0);
        EXPECT_EQ(shot[0].active, !hit) << "shot at (" << bx << ", " << by << ") under a shield";
    }
    // A flare landing on it turns it by where it lands, x + 5: at or left of
    // the middle (the balls at x 100 and 140: 136) one way, right the other.
    shield[0].shieldBallSprite[0]->setPosition(100, 200, kShieldDepth);
    shield[0].shieldBallSprite[1]->setPosition(140, 200, kShieldDepth);
    for (auto [fx, turn] : {std::pair{131.0, -0.5}, {132.0, 0.5}}) {
        shield[0].shieldArcSprite->spin = 0.0;
        placeFlare(0, fx, 200.0);
        flareAgainstShields(0);
        EXPECT_EQ(shield[0].shieldArcSprite->spin, turn * shieldPushStrength) << "flare at x " << fx;
    }
    shield[0].alive = false;
    const Sprite *cover = tank[0].tankWheelsSprite, *cannon = tank[0].tankCannonSprite;
    for (auto [fx, fy, hit] : {std::tuple{cover->x() - 9.0, cover->y() + 1.0, true},
                               {cover->x() - 9.0 - kHair, cover->y() + 1.0, false},
                               {cannon->x() - 2.0, cannon->y() - 9.0, true},
                               {cannon->x() - 2.0, cannon->y() - 9.0 - kHair, false}}) {
        lives = kStartLives;
        roundPause = -1;
        placeFlare(0, fx, fy);
        flareHitsTank(0);
        EXPECT_EQ(lives, hit ? kStartLives - 1 : kStartLives) << "flare at (" << fx << ", " << fy << ")";
        EXPECT_EQ(alienBombSprite[0]->visible, !hit) << "flare at (" << fx << ", " << fy << ")";
    }
    for (auto [dx, dy, hit] : {std::tuple{-5.0, -5.0, true}, {-5 - kHair, -5.0, false}, {-5.0, -5 - kHair, false}}) {
        mothershipActive = true;
        mothershipX = 200.0;
        mothershipStep();  // no shot yet: how far the ship moves in a pass
        mothershipX = 400.0 - (mothershipX - 200.0);
        placeShot(0, 400.0 + dx, dy);
        mothershipStep();
        EXPECT_EQ(!mothershipActive, hit) << "shot at (" << dx << ", " << dy << ") from the ship's corner";
    }
}

TEST(HitsTest, FlaresAndShieldsCostALifeEachEvenTwoInAPassOrOneOverBothTanks)
{
    startClearRound(1);
    placeFlare(0, 300.0, 450.0);
    placeFlare(1, 302.0, 450.0);
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(gameOver);
    EXPECT_FALSE(alienBombSprite[0]->visible);
    EXPECT_FALSE(alienBombSprite[1]->visible);
    // The second loss relaunched the debris, from the second flare.
    EXPECT_NEAR(launchX(tankDebrisSprite[0][1], tankDebris[0][1]), 302.0 + 9.0, 1e-9);
    EXPECT_NEAR(launchY(tankDebrisSprite[0][1], tankDebris[0][1]), 451.0 + 7.0, 1e-9);

    // A shield whose bar crosses the tank's top corners: a life for each.
    for (int touching : {1, 2}) {
        startClearRound(1);
        placeTankParts(0);  // the tank's outline
        for (int s = 0; s < touching; ++s) {
            shield[s].alive = true;
            shield[s].shieldArcSprite->setPosition(tank[0].outline.x[0], tank[0].outline.y[0], kShieldDepth);
        }
        runPasses(1);
        EXPECT_EQ(lives, kStartLives - touching) << touching << " shield(s)";
    }

    startClearRound(2);
    tank[1].x = 200.0f;
    tank[0].x = 240.0f;
    placeFlare(0, 232.0, 460.0);  // x + 2 over player 2's cover, x + 9 on player 1's edge
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    EXPECT_FALSE(tank[1].tankBodySprite->visible);
    EXPECT_EQ(tankDebris[0][0].life, 299.0);
    EXPECT_EQ(tankDebris[1][0].life, 299.0);
    EXPECT_EQ(roundPause, 0);

    // The last life: the game ends with an unseen "Game Over", though
    // player 2 still stands (lives are shared).
    startClearRound(2);
    lives = 1;
    placeFlare(0, tank[0].tankBodySprite->x() + 2.0, tank[0].tankBodySprite->y() - 5.0);
    runPasses(1);
    ASSERT_EQ(lives, 0);
    ASSERT_TRUE(gameOver);
    ASSERT_TRUE(tank[1].tankBodySprite->visible);
    ASSERT_TRUE(endBanner);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName());
    EXPECT_EQ(endBanner->alpha(), 0.0);
}

}  // namespace
