// The alien formation through real passes: the entry row by row, the march
// and its steps down, the turns at the sides, the flares' release and fall,
// and the fading formation of the high levels.
#include "game_harness.h"

#include "formation.h"
#include "game_state.h"
#include "levels.h"
#include "samples.h"
#include "shots.h"
#include "sprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kStartSpeed = 0.17;

class FormationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // The formation in place high up the screen, marching.
    static void formationInPlace()
    {
        for (int i = 0; i < kAlienCount; ++i)
            placeAlien(i, 120.0 + 74.0 * (i % 6), 60.0 + 32.0 * (i / 6));
        for (double& speed : entrySpeed)
            speed = 0.0;
        formationArrived = true;
    }

    static double entryTarget(int row) { return 207.0 - (5 - row) * 32.0; }

    static int rowsMoving()
    {
        return int(std::count_if(entrySpeed, entrySpeed + kFormationRows, [](double v) { return v != 0.0; }));
    }

    // How many columnSteps until rand() % divisor first gives the flare
    // chance, when each step draws once.
    static int stepsUntilAFlareIsDrawn(unsigned seed, int divisor)
    {
        std::srand(seed);
        int n = 1;
        while (std::rand() % divisor != kFlareChance)
            ++n;
        return n;
    }
};

TEST_F(FormationTest, RowsComeDownOneAfterAnotherAndRowZeroEndsTheEntry)
{
    startQuietGame(1, 21);
    int nextRow = 5;
    int pass = 0;
    while (!formationArrived && pass < 1000) {
        runPasses(1);
        ++pass;
        ASSERT_LE(rowsMoving(), 1) << "pass " << pass;
        for (int r = 0; r < kFormationRows; ++r) {
            if (entrySpeed[r] == 0.0)
                continue;
            if (r != nextRow) {
                ASSERT_EQ(r, nextRow - 1) << "rows start bottom up, pass " << pass;
                // The row below has arrived, everywhere along it.
                for (int c = 0; c < kFormationColumns; ++c)
                    EXPECT_GT(alien[(r + 1) * 6 + c].y, entryTarget(r + 1));
                nextRow = r;
            }
        }
        for (int r = 0; r < nextRow; ++r)  // the rows above still wait
            ASSERT_DOUBLE_EQ(alien[r * 6].y, -(50.0 + 32.0 * r)) << "row " << r << " pass " << pass;
    }
    ASSERT_TRUE(formationArrived);
    EXPECT_EQ(nextRow, 0);
    EXPECT_EQ(rowsMoving(), 0);
    for (int r = 0; r < kFormationRows; ++r) {
        for (int c = 0; c < kFormationColumns; ++c) {
            const double y = alien[r * 6 + c].y;
            EXPECT_GT(y, entryTarget(r)) << "alien " << r * 6 + c;
            EXPECT_LE(y, entryTarget(r) + 6.0) << "alien " << r * 6 + c;
            EXPECT_DOUBLE_EQ(alienSprite[r * 6 + c]->y(), y);
        }
    }
    // The march has begun: sideways only, to the left.
    const double x = alien[0].x;
    const double y = alien[0].y;
    runPasses(1);
    EXPECT_NEAR(alien[0].x, x - kStartSpeed, 1e-9);
    EXPECT_EQ(alien[0].y, y);
}

TEST_F(FormationTest, AStepDownLasts53PassesAtTheStartSpeedAndDropsAbout9Pixels)
{
    for (int kills : {0, 20}) {
        startQuietGame(1, 21);
        formationInPlace();
        const double speed = kStartSpeed * std::pow(1.11, kills);
        marchSpeed = -speed;
        descentCounter = 40.0;
        placeAlien(30, 0.0, alien[30].y);  // the bottom-left alien is at the side
        const double y0 = alien[30].y;
        const double x0 = alien[30].x;

        runPasses(1);
        EXPECT_GT(marchSpeed, 0.0) << "the formation turned";
        EXPECT_NEAR(alien[30].x, x0 + speed, 1e-9) << "sideways only in the pass of the turn";
        int downPasses = 1;
        double lastY = alien[30].y;
        for (int pass = 0; pass < 200; ++pass) {
            runPasses(1);
            if (alien[30].y == lastY)
                break;
            ++downPasses;
            lastY = alien[30].y;
            ASSERT_NEAR(alien[30].x, x0 + speed, 1e-9) << "no sideways move while stepping down";
        }
        const double drop = alien[30].y - y0;
        if (kills == 0) {
            EXPECT_EQ(downPasses, 53);
        }
        EXPECT_EQ(downPasses, int(std::ceil(9.0 / speed))) << kills << " kills";
        EXPECT_GE(drop, 9.0) << kills << " kills";
        EXPECT_LT(drop, 9.0 + speed) << kills << " kills";
        EXPECT_NEAR(alien[30].x, x0 + 2 * speed, 1e-9) << "then it marches on";
    }
}

TEST_F(FormationTest, EveryKillMakesTheMarch11PercentFaster)
{
    startQuietGame(1, 21);
    ASSERT_DOUBLE_EQ(marchSpeed, -kStartSpeed);
    for (int i = 0; i < 35; ++i) {
        const double before = marchSpeed;
        placeShot(0, 0.0, 0.0);
        destroyAlien(i, 0);
        ASSERT_DOUBLE_EQ(marchSpeed, before * 1.11) << "kill " << i + 1;
    }
    EXPECT_NEAR(marchSpeed, -6.56, 0.01) << "with one alien left";
}

TEST_F(FormationTest, ADestroyedAlienAtASideKeepsTurningTheFormation)
{
    startQuietGame(1, 21);
    formationInPlace();
    alien[0].alive = 0;
    alienSprite[0]->hide();
    alien[0].x = 0.0;
    marchSpeed = -kStartSpeed;
    descentCounter = 40.0;
    int turns = 0;
    for (int pass = 1; pass <= 1000; ++pass) {
        const double counter = descentCounter;
        const double speed = marchSpeed;
        runPasses(1);
        const bool turned = (speed < 0.0) != (marchSpeed < 0.0);
        ASSERT_EQ(turned, counter >= 33.0) << "pass " << pass;
        turns += turned;
        for (int i = 1; i < kAlienCount; ++i)
            ASSERT_TRUE(alien[i].x > 0.0 && alien[i].x < 613.0) << "no living alien reaches a side";
    }
    EXPECT_GE(turns, 5);
}

TEST_F(FormationTest, AColumnWithNoLivingAlienNeverDropsAFlare)
{
    startQuietGame(1, 21);
    formationInPlace();
    fireDivisor = 56;
    hideAllFlares();
    for (int r = 0; r < kFormationRows; ++r)
        alien[r * 6 + 2].alive = 0;
    std::srand(3);
    for (int n = 0; n < 5000; ++n)
        columnStep(2);
    for (Sprite* flare : alienBombSprite)
        ASSERT_FALSE(flare->visible);

    // One alien alive in the column: it is the one that drops, from under it.
    alien[3 * 6 + 2].alive = 1;
    alien[1 * 6 + 2].alive = 1;
    const int steps = stepsUntilAFlareIsDrawn(5, fireDivisor);
    std::srand(5);
    for (int n = 1; n < steps; ++n)
        columnStep(2);
    EXPECT_FALSE(alienBombSprite[0]->visible);
    columnStep(2);
    ASSERT_TRUE(alienBombSprite[0]->visible);
    EXPECT_DOUBLE_EQ(alienBombSprite[0]->x(), alien[3 * 6 + 2].x + 10.0);
    EXPECT_DOUBLE_EQ(alienBombSprite[0]->y(), alien[3 * 6 + 2].y + 33.0);
    EXPECT_EQ(alienBombSprite[0]->depth(), 2.0);
}

TEST_F(FormationTest, WithEveryFlareInFlightNothingDropsAndNothingSounds)
{
    startQuietGame(1, 21);
    formationInPlace();
    fireDivisor = 56;
    for (int k = 0; k < kAlienCount; ++k)
        placeFlare(k, 20.0 + k, 100.0);
    const int steps = stepsUntilAFlareIsDrawn(8, fireDivisor);
    FSOUND_StopSound(FSOUND_ALL);
    std::srand(8);
    for (int n = 0; n < steps; ++n)
        columnStep(4);
    for (int k = 0; k < kAlienCount; ++k)
        ASSERT_DOUBLE_EQ(alienBombSprite[k]->x(), 20.0 + k) << "flare " << k << " was taken";
    EXPECT_FALSE(freeChannelPlaying());

    // The same draw with one flare free takes it, with a whoosh.
    alienBombSprite[7]->hide();
    std::srand(8);
    for (int n = 0; n < steps; ++n)
        columnStep(4);
    EXPECT_TRUE(alienBombSprite[7]->visible);
    EXPECT_DOUBLE_EQ(alienBombSprite[7]->x(), alien[34].x + 10.0);
    EXPECT_TRUE(freeChannelPlaying());
}

TEST_F(FormationTest, FlaresFallAndWeaveByTheLevelsBand)
{
    startQuietGame(1, 21);
    struct Case {
        int level, band;
    };
    const Case cases[] = {{1, 0},  {4, 0},  {5, 1},  {8, 1},  {9, 2},  {12, 2},
                          {13, 3}, {16, 3}, {17, 0}, {33, 0}, {52, 0}, {63, 3}};
    Sprite* flare = alienBombSprite[3];
    const double y = 50.5;
    for (const Case& c : cases) {
        level = c.level;
        placeFlare(3, 100.0, y);
        flareStep(3);
        const bool weaves = c.band == 1 || c.band == 3;
        const double fall = c.band < 2 ? 1.0 : 2.0;
        // The sine takes the height before the move.
        const double x = weaves ? 100.0 + 4.0 * std::sin(y / 4.0 - 2.0) : 100.0;
        EXPECT_DOUBLE_EQ(flare->x(), x) << "level " << c.level;
        EXPECT_DOUBLE_EQ(flare->y(), y + fall) << "level " << c.level;
        EXPECT_EQ(flare->depth(), 2.0);
    }
    level = 1;
}

TEST_F(FormationTest, AFlareLeavesPlayBelowTheBottomOfTheScreen)
{
    startQuietGame(1, 21);
    Sprite* flare = alienBombSprite[0];
    placeFlare(0, 100.0, 479.0);
    flareStep(0);
    EXPECT_TRUE(flare->visible) << "at 480 it is still in play";
    flareStep(0);
    EXPECT_FALSE(flare->visible);
    const double y = flare->y();
    flareStep(0);
    EXPECT_EQ(flare->y(), y) << "a hidden flare does not move";
}

TEST_F(FormationTest, OnLevel33AKillRevealsItsNeighboursWhoFadeBack)
{
    startQuietGame(1, 21);
    level = 33;
    showLevelBanner();
    fireDivisor = 1 << 30;
    for (int i = 0; i < kAlienCount; ++i) {
        ASSERT_EQ(alien[i].alpha, double(0.02f));
        ASSERT_EQ(alienSprite[i]->alpha(), double(0.02f));
    }
    formationInPlace();
    descentCounter = 20.0;
    runPasses(1);
    EXPECT_EQ(alien[15].alpha, double(0.02f)) << "0.02 in single precision is not above 0.02: no fade";

    placeShot(0, 0.0, 0.0);
    destroyAlien(14, 0);
    EXPECT_EQ(alien[15].alpha, 1.0) << "74 pixels away: fully visible";
    EXPECT_EQ(alienSprite[15]->alpha(), 1.0);
    EXPECT_EQ(alien[8].alpha, 1.0) << "the one above";
    // Alien 5 is 3 columns right and 2 rows up: (300 / d) / 3 more.
    const double d = std::hypot(3 * 74.0, 2 * 32.0);
    EXPECT_NEAR(alien[5].alpha, double(0.02f) + 100.0 / d, 1e-12);

    runPasses(98);
    EXPECT_NEAR(alien[15].alpha, 0.02, 1e-6) << "back to 0.02 after 98 passes";
    // The single-precision step leaves it a hair above 0.02 after 98
    // passes, so the 99th takes it on down to about 0.01.
    runPasses(1);
    EXPECT_LE(alien[15].alpha, 0.02) << "and not above it after 99";
    const double rest = alien[15].alpha;
    runPasses(20);
    EXPECT_EQ(alien[15].alpha, rest) << "then it stays";
    EXPECT_EQ(alienSprite[15]->alpha(), rest);
    level = 1;
}

}  // namespace
