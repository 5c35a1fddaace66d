// The alien formation through real passes: its turns and steps down at the
// sides, and the flares its columns release.
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

}  // namespace
