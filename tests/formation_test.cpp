// The formation's march, turns, step-down and speed-up, in real passes on a
// cleared round with a few aliens placed.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

constexpr double kStartMarch = 0.17;
constexpr double kLeftSide = 0.0, kRightSide = 613.0;
constexpr double kStepDownEnds = 9.0;    // the descent counter past which the formation moves sideways
constexpr double kEdgeTestFrom = 33.0;   // and past which it may turn again
constexpr int kStepDownPasses = 53;      // 9 / 0.17, rounded up

// A cleared round with one living alien at (x, y), marching at `speed`.
void marchOne(double x, double y, double speed, double counter)
{
    startClearRound(1);
    placeAlien(0, x, y);
    formationArrived = true;
    marchSpeed = speed;
    descentCounter = counter;
}

TEST(FormationTest, PastTheStepDownItMarchesSidewaysOnly)
{
    marchOne(300.0, 100.0, -kStartMarch, kEdgeTestFrom);
    runPasses(10);
    EXPECT_NEAR(alien[0].x, 300.0 - 10 * kStartMarch, 1e-9);
    EXPECT_EQ(alien[0].y, 100.0);
    EXPECT_EQ(alienSprite[0]->x(), alien[0].x) << "the sprite follows its record";
}

// At each side the march turns, and the formation steps down for 53 passes,
// moving sideways only in the pass of the turn.
TEST(FormationTest, AtEachSideItTurnsAndStepsDown)
{
    for (const auto& [side, speed] : {std::pair{kLeftSide, -kStartMarch}, {kRightSide, kStartMarch}}) {
        SCOPED_TRACE(side);
        marchOne(side, 100.0, speed, kEdgeTestFrom);
        runPasses(1);
        EXPECT_EQ(marchSpeed, -speed) << "turned";
        EXPECT_EQ(alien[0].x, side - speed) << "and moved off the side in that pass";
        int down = 1, sideways = 1;
        for (int pass = 0; pass < 100; ++pass) {
            const double x = alien[0].x, y = alien[0].y;
            runPasses(1);
            down += alien[0].y > y;
            sideways += alien[0].x != x;
        }
        EXPECT_EQ(down, kStepDownPasses);
        EXPECT_NEAR(alien[0].y, 100.0 + kStepDownPasses * kStartMarch, 1e-9);
        EXPECT_EQ(sideways, 1 + 100 - (kStepDownPasses - 1));
    }
}

TEST(FormationTest, TheEdgeTestRestsUntilTheCounterReaches33)
{
    marchOne(kLeftSide, 100.0, -kStartMarch, kEdgeTestFrom - 0.5);
    runPasses(1);
    EXPECT_EQ(marchSpeed, -kStartMarch) << "too soon to turn";
    EXPECT_EQ(alien[0].x, kLeftSide) << "held at the side instead";
    runPasses(3);
    EXPECT_EQ(marchSpeed, kStartMarch) << "turned once the counter passed 33";
    EXPECT_LT(descentCounter, kStepDownEnds);
}

// Any record at a side turns the formation, destroyed ones included.
TEST(FormationTest, ADestroyedAlienAtASideStillTurnsIt)
{
    marchOne(300.0, 100.0, -kStartMarch, kEdgeTestFrom);
    alien[5].x = kLeftSide;
    alien[5].y = 100.0;
    runPasses(1);
    EXPECT_EQ(marchSpeed, kStartMarch);
}

TEST(FormationTest, EachKillSpeedsTheMarchBy1Point11)
{
    marchOne(300.0, 100.0, -kStartMarch, kEdgeTestFrom);
    placeAlien(1, 100.0, 100.0);
    placeShot(0, alien[0].x, alien[0].y + 10.0);
    runPasses(1);
    ASSERT_FALSE(alien[0].alive);
    EXPECT_NEAR(marchSpeed, -kStartMarch * 1.11, 1e-12);
    placeShot(0, alien[1].x, alien[1].y + 10.0);
    runPasses(1);
    ASSERT_FALSE(alien[1].alive);
    EXPECT_NEAR(marchSpeed, -kStartMarch * 1.11 * 1.11, 1e-12);
}

// A shield touching any corner of an alien's 32-pixel box is rammed: here a
// small diamond just off each corner in turn, holding that corner alone.
TEST(FormationTest, AShieldAtAnyCornerOfAnAliensBoxIsRammed)
{
    constexpr double kBox = 32.0, x = 200.0, y = 150.0;
    for (auto [cx, cy] : {std::pair{0.0, 0.0}, {kBox, 0.0}, {kBox, kBox}, {0.0, kBox}}) {
        startClearRound(1);
        placeAlien(0, x, y);
        const double mx = x + cx + (cx ? 1.0 : -1.0), my = y + cy + (cy ? 1.0 : -1.0);
        shield[0].alive = true;
        shield[0].outline = {{mx - 2.5, mx, mx + 2.5, mx}, {my, my - 2.5, my, my + 2.5}};
        alienStep(0);
        EXPECT_FALSE(alien[0].alive) << "corner (" << cx << ", " << cy << ")";
    }
}

// A column's flares come from its bottom-most living alien, 10 pixels in
// and 33 down from its corner, even when only the top row is left.
TEST(FormationTest, TheBottomMostLivingAlienOfAColumnDropsItsFlares)
{
    marchOne(300.0, 100.0, -kStartMarch, kEdgeTestFrom);  // alien 0: row 0, column 0
    fireDivisor = 56;  // a flare when rand() % 56 is 55
    double x = 0.0, y = 0.0;  // where the alien stood when the pass began
    for (int pass = 0; !alienBombSprite[0]->visible && pass < 5000; ++pass) {
        x = alien[0].x;
        y = alien[0].y;
        runPasses(1);
    }
    ASSERT_TRUE(alienBombSprite[0]->visible);
    EXPECT_EQ(alienBombSprite[0]->x(), x + 10.0);
    EXPECT_EQ(alienBombSprite[0]->y(), y + 33.0 + 1.0) << "and one step of its fall";
}

}  // namespace
