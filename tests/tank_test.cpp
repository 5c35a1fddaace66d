// The player tanks through real passes: momentum, lean, the edges and the
// cannon's reload. The sky is empty: nothing falls on them.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

// A fresh shot this pass is 4 pixels above where it started.
bool firedThisPass(int p) { return shot[p].active && shot[p].y == tank[p].y - 6.0 - 4.0; }

TEST(TankTest, AHeldKeyGivesFullSpeedIn16PassesFullLeanIn4AndReleasedItRollsToRestIn64UpToTheEdges)
{
    startClearRound(1, 11);
    for (int pass = 1; pass <= 16; ++pass) {
        runPasses(1, Keys{SDLK_RIGHT});
        ASSERT_FLOAT_EQ(tank[0].vx, 0.125f * pass);
        ASSERT_DOUBLE_EQ(tank[0].tilt, pass < 4 ? -2.0 * pass : -8.0) << "pass " << pass;
    }
    runPasses(63);
    EXPECT_FLOAT_EQ(tank[0].vx, 0.03125f);
    runPasses(1);
    EXPECT_EQ(tank[0].vx, 0.0f);
    EXPECT_FLOAT_EQ(tank[0].x, 304.0f + 63.0f);
    // The lean swings back on its spring and comes to rest, then stays.
    int passes = 0;
    for (; (tank[0].tilt != 0.0 || tank[0].tiltVel != 0.0) && passes < 500; ++passes)
        runPasses(1);
    EXPECT_LT(passes, 500) << "the lean never came to rest";
    runPasses(20);
    EXPECT_TRUE(tank[0].tilt == 0.0 && tank[0].tiltVel == 0.0);

    // With both keys held Left wins, and the lean is positive to the left;
    // held on, the key drives the tank to the edge, where it stops.
    runPasses(4, Keys{SDLK_LEFT, SDLK_RIGHT});
    EXPECT_DOUBLE_EQ(tank[0].tilt, 8.0);
    EXPECT_FLOAT_EQ(tank[0].vx, -0.5f);
    for (auto [key, edge] : {std::pair{SDLK_LEFT, 80.0f}, {SDLK_RIGHT, 507.0f}}) {
        for (int pass = 0; pass < 300; ++pass) {
            runPasses(1, Keys{key});
            ASSERT_TRUE(tank[0].x >= 80.0f && tank[0].x <= 507.0f) << tank[0].x;
        }
        EXPECT_TRUE(tank[0].x == edge && tank[0].vx == 0.0f && std::fabs(tank[0].tilt) == 8.0) << tank[0].x;
    }
}

TEST(TankTest, TheCannonReloadsIn27PassesAndHeldFireShootsAgainOnceTheShotIsGone)
{
    startClearRound(1, 11);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1, Keys{SDLK_SPACE});
    ASSERT_TRUE(firedThisPass(0));
    EXPECT_DOUBLE_EQ(shot[0].x, 287.0 + 20.0);
    EXPECT_TRUE(shot[0].bulletSprite->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kFireChannel)) << "player 1 fires on channel 0";
    EXPECT_NEAR(tank[0].tankCannonSprite->y(), 432.0 + 8.0 - 0.15, 1e-9) << "kicked down 4, already 0.15 back";
    shot[0].active = false;  // as if it had struck something at once
    shot[0].bulletSprite->hide();
    for (int pass = 2; pass <= 27; ++pass) {
        runPasses(1, Keys{SDLK_SPACE});
        ASSERT_FALSE(shot[0].active) << "fired again in pass " << pass;
    }
    std::vector<int> firedIn;
    for (int pass = 28; pass <= 250; ++pass) {
        runPasses(1, Keys{SDLK_SPACE});
        if (firedThisPass(0))
            firedIn.push_back(pass);
    }
    // From 426 at 4 pixels a pass the shot is above -16 for 110 flights.
    EXPECT_EQ(firedIn, (std::vector<int>{28, 139, 250}));
}

}  // namespace
