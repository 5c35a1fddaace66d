// What shots and flares hit, and what each destruction does, through real
// passes: the hit boxes, shields in the way, the score for a rammed shield,
// the explosion slots, lost tanks and the game's end, and a whole scripted
// game replayed from the same seed.
#include "game_harness.h"

#include "game_state.h"
#include "hall_of_fame.h"
#include "samples.h"
#include "scene.h"
#include "shots.h"
#include "sprite.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kHair = 1e-6;

class HitsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }
    void SetUp() override { hallOfFame[9].score = 1000000; }  // no name entry

    // A shield brought back into play with its arc at (x, y), still.
    static void placeShield(int s, double x, double y)
    {
        shield[s].alive = true;
        shield[s].vy = 0.0;
        shield[s].shieldArcSprite->setPosition(x, y, 3.0);
        shield[s].shieldArcSprite->setRotation(0.0);
        shield[s].shieldArcSprite->spin = 0.0;
    }

    // Where a debris piece was launched, from where one flight step left it.
    static double launchX(const Sprite* sprite, const DebrisPiece& piece) { return sprite->x() - piece.dx; }
    static double launchY(const Sprite* sprite, const DebrisPiece& piece) { return sprite->y() - (piece.dy - 0.07); }
};

TEST_F(HitsTest, AShotAndAnAlienTouchAtTheirExactBounds)
{
    startClearRound(1);
    struct Case {
        double bx, by;
        bool hit;
    };
    // Alien at (200, 100); the shot's points are x + 2, x + 5 and y + 2, y + 9
    // against the alien's 27 pixels.
    const Case cases[] = {
        {200, 100, true},
        {200, 91, true},  {200, 91 - kHair, false},   // its lower point at the top
        {200, 125, true}, {200, 125 + kHair, false},  // its upper point at the bottom
        {195, 100, true}, {195 - kHair, 100, false},  // its right point at the left
        {225, 100, true}, {225 + kHair, 100, false},  // its left point at the right
    };
    for (const Case& c : cases) {
        placeAlien(20, 200.0, 100.0);
        placeShot(0, c.bx, c.by);
        aliensAlive = 36;
        shotHitsAlien(20);
        EXPECT_EQ(alien[20].alive == 0, c.hit) << "shot at (" << c.bx << ", " << c.by << ")";
        EXPECT_EQ(shot[0].active, !c.hit);
    }
}

TEST_F(HitsTest, AFlareAndATankTouchAtTheirExactBounds)
{
    startClearRound(1);
    const Sprite* cover = tank[0].tankWheelsSprite;
    const Sprite* cannon = tank[0].tankCannonSprite;
    struct Case {
        double fx, fy;
        bool hit;
    };
    // The wheel cover is the leftmost part tested, the cannon the highest.
    const Case cases[] = {
        {cover->x() - 9.0, cover->y() + 1.0, true},
        {cover->x() - 9.0 - kHair, cover->y() + 1.0, false},
        {cannon->x() - 2.0, cannon->y() - 9.0, true},
        {cannon->x() - 2.0, cannon->y() - 9.0 - kHair, false},
    };
    for (const Case& c : cases) {
        lives = 3;
        roundPause = -1;
        placeFlare(0, c.fx, c.fy);
        flareHitsTank(0);
        EXPECT_EQ(lives == 2, c.hit) << "flare at (" << c.fx << ", " << c.fy << ")";
        EXPECT_EQ(alienBombSprite[0]->visible == 0, c.hit);
    }
}

TEST_F(HitsTest, AShotLeavingTheTopStillHitsAShieldInThatPass)
{
    startClearRound(1);
    placeShield(1, 290.0, -14.0);  // its outline spans y -19.4 to -8.6
    placeShot(0, 307.0, -13.0);    // flies to -17: gone, but its box overlaps
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1);
    EXPECT_FALSE(shot[0].active || shot[0].bulletSprite->visible);
    EXPECT_NEAR(shield[1].vy, 0.05 * 0.99 - 2.0, 1e-9) << "the shield is pushed up";
    EXPECT_DOUBLE_EQ(shield[1].shieldArcSprite->spin, 1.0) << "hit left of its middle";
    EXPECT_TRUE(freeChannelPlaying()) << "the shield sounds";

    // Without the shield the same shot just ends.
    startClearRound(1);
    placeShot(0, 307.0, -13.0);
    runPasses(1);
    EXPECT_FALSE(shot[0].active);
    EXPECT_FALSE(shield[1].alive);
}

TEST_F(HitsTest, AnAlienThatRunsIntoAShieldScores20ForOnePlayerAnd10EachForTwo)
{
    startClearRound(1);
    placeShield(0, 140.0, 200.0);  // outline x 115.3 to 202.7, y 194.6 to 205.4
    placeAlien(35, 150.0, 195.0);
    runPasses(1);
    EXPECT_EQ(alien[35].alive, 0);
    EXPECT_FALSE(alienSprite[35]->visible);
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
    EXPECT_EQ(tank[0].score, 10u);
    EXPECT_EQ(tank[1].score, 10u);
}

TEST_F(HitsTest, ATankShotDestroysTheAlienItReaches)
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
    EXPECT_EQ(aliensAlive, 35);
    EXPECT_EQ(explosionSlot, 1);
    EXPECT_TRUE(FSOUND_IsPlaying(kAlienExplosionChannel));
    const double width = shot[0].bulletSprite->scaledWidth();
    EXPECT_NEAR(launchX(alienDebrisSprite[2][0], alienDebris[2][0]), 280.0 + width / 2, 1e-9);
    EXPECT_NEAR(launchY(alienDebrisSprite[2][0], alienDebris[2][0]), 426.0 - 4.0 * 46, 1e-9);
}

TEST_F(HitsTest, TheSixthKillInARowReusesExplosionSlotZero)
{
    startClearRound(1);
    for (int kill = 0; kill < 5; ++kill) {
        placeAlien(kill, 100.0 + 40.0 * kill, 100.0);
        placeShot(0, 100.0 + 40.0 * kill, 100.0);
        destroyAlien(kill, 0);
        runPasses(10);
    }
    EXPECT_EQ(explosionSlot, 0);
    EXPECT_EQ(alienDebris[0][0].life, 250.0);
    EXPECT_EQ(alienDebris[0][1].life, 260.0);

    FSOUND_StopSound(FSOUND_ALL);
    placeAlien(5, 400.0, 300.0);
    placeShot(0, 400.0, 300.0);
    destroyAlien(5, 0);
    const double width = shot[0].bulletSprite->scaledWidth();
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        EXPECT_EQ(alienDebris[piece][0].life, 300.0) << "piece " << piece;
        EXPECT_DOUBLE_EQ(alienDebrisSprite[piece][0]->x(), 400.0 + width / 2);
        EXPECT_DOUBLE_EQ(alienDebrisSprite[piece][0]->y(), 300.0);
        EXPECT_EQ(alienDebris[piece][1].life, 260.0) << "slot 1 flies on";
    }
    EXPECT_EQ(explosionSlot, 1);
    EXPECT_TRUE(FSOUND_IsPlaying(kAlienExplosionChannel));
}

TEST_F(HitsTest, TwoFlaresOnOneTankInOnePassCostTwoLives)
{
    startClearRound(1);
    placeFlare(0, 300.0, 450.0);
    placeFlare(1, 302.0, 450.0);
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(gameOver);
    EXPECT_FALSE(alienBombSprite[0]->visible || alienBombSprite[1]->visible);
    // The second loss relaunched the debris, from the second flare.
    EXPECT_NEAR(launchX(tankDebrisSprite[0][1], tankDebris[0][1]), 302.0 + 9.0, 1e-9);
    EXPECT_NEAR(launchY(tankDebrisSprite[0][1], tankDebris[0][1]), 451.0 + 7.0, 1e-9);
}

TEST_F(HitsTest, OneFlareOverBothTanksDestroysBoth)
{
    startClearRound(2);
    tank[1].x = 200.0f;
    tank[0].x = 240.0f;
    const double coverWidth = tank[1].tankWheelsSprite->scaledWidth();
    ASSERT_GE(201.0 + coverWidth, 234.0) << "the covers must be wide enough for the flare to span them";
    placeFlare(0, 232.0, 460.0);  // x + 2 over player 2's cover, x + 9 on player 1's edge
    runPasses(1);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(tank[0].tankBodySprite->visible || tank[1].tankBodySprite->visible);
    EXPECT_EQ(tankDebris[0][0].life, 299.0);
    EXPECT_EQ(tankDebris[1][0].life, 299.0);
    EXPECT_EQ(roundPause, 0);
}

TEST_F(HitsTest, LosingTheLastLifeEndsTheGameWithAnUnseenGameOverBanner)
{
    startClearRound(2);
    lives = 1;
    const Sprite* body = tank[0].tankBodySprite;
    placeFlare(0, body->x() + 2.0, body->y() - 5.0);
    runPasses(1);
    EXPECT_EQ(lives, 0);
    EXPECT_TRUE(gameOver);
    EXPECT_TRUE(tank[1].tankBodySprite->visible) << "player 2 still stands, but lives are shared";
    ASSERT_NE(endBanner, nullptr);
    EXPECT_EQ(endBanner->textureName, gameOverTexture->textureName);
    EXPECT_EQ(endBanner->alpha(), 0.0);
    EXPECT_EQ(endBanner->depth(), 100.0);
    EXPECT_DOUBLE_EQ(endBanner->x(), 320.0 - gameOverTexture->imageWidth / 2);
    EXPECT_DOUBLE_EQ(endBanner->y(), 220.0);
}

// ---- A whole game replayed -------------------------------------------------

// The keys of one pass of the script: drive right, coast, drive left,
// coast (never reversing at speed), firing most of the time.
Keys scriptedKeys(int pass)
{
    Keys keys;
    const int phase = pass % 200;
    if (phase < 40)
        keys.hold(SDLK_RIGHT);
    else if (phase >= 110 && phase < 150)
        keys.hold(SDLK_LEFT);
    if (pass % 3 != 0)
        keys.hold(SDLK_SPACE);
    return keys;
}

// What the play leaves behind: positions, scores, lives, flares.
std::vector<double> playScriptedGame(unsigned seed)
{
    // Let every effect from earlier play die out first: idle particles draw
    // from the random generator and live ones do not.
    returnToTitleMenu(seed);
    runPasses(400);
    startNewGame(1, seed);
    lives = 50;
    for (int pass = 0; pass < 3000; ++pass)
        runPasses(1, scriptedKeys(pass));

    std::vector<double> state = {tank[0].x, tank[0].vx, tank[0].tilt, double(tank[0].score),
                                 double(lives), double(level), double(roundPause), double(gameOver),
                                 shot[0].x, shot[0].y, double(shot[0].active), marchSpeed,
                                 descentCounter, double(mothershipActive), mothershipX};
    for (const AlienRecord& a : alien)
        state.insert(state.end(), {a.x, a.y, double(a.alive)});
    for (const Sprite* flare : alienBombSprite)
        state.insert(state.end(), {flare->x(), flare->y(), double(flare->visible)});
    for (const Shield& s : shield)
        state.insert(state.end(), {s.shieldArcSprite->x(), s.shieldArcSprite->y(), s.vy, double(s.alive)});
    return state;
}

TEST_F(HitsTest, TheSameSeedAndKeysPlayTheSameGame)
{
    const std::vector<double> first = playScriptedGame(77);
    EXPECT_FALSE(menuActive) << "the game is still on";
    EXPECT_GT(tank[0].score, 0u) << "the script hit something";
    const std::vector<double> second = playScriptedGame(77);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_EQ(first[i], second[i]) << "state value " << i << " differs";

    EXPECT_NE(playScriptedGame(78), first) << "another seed plays another game";
}

}  // namespace
