// The alien formation through real passes: the entry row by row, the march,
// its steps down and turns, the flares' release and fall, and the fading
// formation of the high levels.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

constexpr double kStartSpeed = 0.17;

// A quiet game with the formation in place high up the screen, marching.
void formationInPlace()
{
    startQuietGame(1, 21);
    for (int i = 0; i < kAlienCount; ++i)
        placeAlien(i, 120.0 + 74.0 * (i % 6), 60.0 + 32.0 * (i / 6));
    for (double& speed : entrySpeed)
        speed = 0.0;
    formationArrived = true;
}

// How many column steps until rand() % divisor first gives the flare chance.
int stepsUntilAFlareIsDrawn(unsigned seed, int divisor)
{
    std::srand(seed);
    int n = 1;
    while (std::rand() % divisor != kFlareChance)
        ++n;
    return n;
}

TEST(FormationTest, RowsComeDownOneAfterAnotherFromTheBottomAndThenMarchLeft)
{
    startQuietGame(1, 21);
    int nextRow = 5;
    for (int pass = 1; !formationArrived && pass < 1000; ++pass) {
        runPasses(1);
        int moving = 0;
        for (int r = 0; r < kFormationRows; ++r) {
            if (entrySpeed[r] == 0.0)
                continue;
            ++moving;
            if (r != nextRow) {
                ASSERT_EQ(r, nextRow - 1) << "pass " << pass;
                EXPECT_GT(alien[(r + 1) * 6 + 5].y, 207.0 - (5 - r - 1) * 32.0) << "the row below has arrived";
                nextRow = r;
            }
        }
        ASSERT_LE(moving, 1) << "pass " << pass;
        for (int r = 0; r < nextRow; ++r)
            ASSERT_DOUBLE_EQ(alien[r * 6].y, -(50.0 + 32.0 * r)) << "row " << r << " waits, pass " << pass;
    }
    ASSERT_TRUE(formationArrived);
    EXPECT_EQ(nextRow, 0);
    for (int i = 0; i < kAlienCount; ++i) {
        const double target = 207.0 - (5 - i / 6) * 32.0;
        EXPECT_TRUE(alien[i].y > target && alien[i].y <= target + 6.0 && entrySpeed[i / 6] == 0.0) << "alien " << i;
        EXPECT_DOUBLE_EQ(alienSprite[i]->y(), alien[i].y);
    }
    const double x = alien[0].x, y = alien[0].y;
    runPasses(1);
    EXPECT_NEAR(alien[0].x, x - kStartSpeed, 1e-9);
    EXPECT_EQ(alien[0].y, y);
}

TEST(FormationTest, AtASideItTurnsAndStepsDownAbout9PixelsEvenWhereItsAlienIsDead)
{
    for (int kills : {0, 20, -1}) {
        formationInPlace();
        const double speed = kStartSpeed * std::pow(1.11, std::max(kills, 0));
        marchSpeed = -speed;
        descentCounter = 40.0;
        placeAlien(30, 0.0, alien[30].y);  // the bottom-left alien at the side
        if (kills < 0) {  // dead, it still turns the formation
            alien[30].alive = 0;
            alienSprite[30]->hide();
        }
        const double y0 = alien[30].y, x0 = alien[30].x, y24 = alien[24].y;
        runPasses(1);
        EXPECT_GT(marchSpeed, 0.0) << "the formation turned";
        if (kills < 0)
            continue;
        EXPECT_NEAR(alien[30].x, x0 + speed, 1e-9) << "sideways only in the pass of the turn";
        int downPasses = 1;
        for (double lastY = alien[24].y; downPasses < 200; ++downPasses) {
            runPasses(1);
            if (alien[24].y == lastY)
                break;
            lastY = alien[24].y;
            ASSERT_NEAR(alien[30].x, x0 + speed, 1e-9) << "no sideways move while stepping down";
        }
        EXPECT_EQ(downPasses, kills == 20 ? int(std::ceil(9.0 / speed)) : 53) << kills << " kills";
        EXPECT_TRUE(alien[24].y - y24 >= 9.0 && alien[24].y - y24 < 9.0 + speed) << kills << " kills";
        EXPECT_DOUBLE_EQ(alien[30].y - y0, alien[24].y - y24);
        EXPECT_NEAR(alien[30].x, x0 + 2 * speed, 1e-9) << "then it marches on";
    }
}

TEST(FormationTest, TheLowestLivingAlienOfAColumnDropsAFreeFlareWithAWhoosh)
{
    formationInPlace();
    fireDivisor = 56;
    hideAllFlares();
    for (int r = 0; r < kFormationRows; ++r)
        alien[r * 6 + 2].alive = r == 1 || r == 3;
    const int steps = stepsUntilAFlareIsDrawn(5, fireDivisor);
    std::srand(5);
    for (int n = 1; n < steps; ++n)
        columnStep(2);
    EXPECT_FALSE(alienBombSprite[0]->visible);
    columnStep(2);
    ASSERT_TRUE(alienBombSprite[0]->visible);
    EXPECT_DOUBLE_EQ(alienBombSprite[0]->x(), alien[3 * 6 + 2].x + 10.0);
    EXPECT_DOUBLE_EQ(alienBombSprite[0]->y(), alien[3 * 6 + 2].y + 33.0);

    // With no flare free nothing drops and nothing sounds; one free is taken.
    for (int k = 0; k < kAlienCount; ++k)
        placeFlare(k, 20.0 + k, 100.0);
    FSOUND_StopSound(FSOUND_ALL);
    const int toFlare = stepsUntilAFlareIsDrawn(8, fireDivisor);
    for (bool oneFree : {false, true}) {
        if (oneFree)
            alienBombSprite[7]->hide();
        std::srand(8);
        for (int n = toFlare; n > 0; --n)
            columnStep(4);
        EXPECT_EQ(alienBombSprite[7]->x() == alien[34].x + 10.0, oneFree);
        EXPECT_EQ(freeChannelPlaying(), oneFree);
    }
}

TEST(FormationTest, AFlareLeavesPlayBelowTheBottomOfTheScreenAndThenStays)
{
    startQuietGame(1, 21);
    Sprite* flare = alienBombSprite[3];
    placeFlare(3, 100.0, 479.0);
    flareStep(3);
    EXPECT_TRUE(flare->visible) << "at 480 it is still in play";
    flareStep(3);
    EXPECT_FALSE(flare->visible);
    const double gone = flare->y();
    flareStep(3);
    EXPECT_EQ(flare->y(), gone) << "a hidden flare does not move";
}

TEST(FormationTest, OnLevel33AKillRevealsItsNeighboursWhoFadeBack)
{
    formationInPlace();
    level = 33;
    for (int i = 0; i < kAlienCount; ++i)
        alien[i].alpha = 0.02f;
    descentCounter = 20.0;
    runPasses(1);
    EXPECT_EQ(alien[15].alpha, double(0.02f)) << "0.02 in single precision is not above 0.02: no fade";
    placeShot(0, 0.0, 0.0);
    destroyAlien(14, 0);
    EXPECT_EQ(alien[15].alpha, 1.0) << "74 pixels away: fully visible";
    EXPECT_EQ(alienSprite[15]->alpha(), 1.0);
    // Alien 5 is 3 columns right and 2 rows up: (300 / d) / 3 more.
    EXPECT_NEAR(alien[5].alpha, double(0.02f) + 100.0 / std::hypot(3 * 74.0, 2 * 32.0), 1e-12);
    runPasses(98);
    EXPECT_NEAR(alien[15].alpha, 0.02, 1e-6) << "back to 0.02 after 98 passes";
    runPasses(1);
    const double rest = alien[15].alpha;
    EXPECT_LE(rest, 0.02);
    runPasses(20);
    EXPECT_EQ(alienSprite[15]->alpha(), rest) << "then it stays";
    level = 1;
}

}  // namespace
