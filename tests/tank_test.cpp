// The player tanks through real passes: momentum, lean, skids, the edges,
// the cannon's reload, player 2's keys, the two tanks bumping, and the parts
// and outline placed on the tank. The sky is empty: nothing falls on them.
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

TEST(TankTest, AHardReversalStartsOneSkidThatTheEffectStepCountsDown)
{
    startClearRound(1, 11);
    runPasses(16, Keys{SDLK_RIGHT});
    ASSERT_EQ(tank[0].tiltBurst, 0.0) << "speeding up is no skid";
    for (int pass = 1; pass <= 80; ++pass) {
        runPasses(1, Keys{SDLK_LEFT});
        ASSERT_EQ(tank[0].tiltBurstDir, +1);
        ASSERT_EQ(tank[0].tiltBurst, 80.0 - pass) << "pass " << pass << ": no second skid while one lasts";
    }
    ASSERT_FLOAT_EQ(tank[0].vx, -2.0f);
    keyState = Keys{SDLK_RIGHT}.state();
    driveTank(0);
    EXPECT_EQ(tank[0].tiltBurst, 80.0);
    EXPECT_EQ(tank[0].tiltBurstDir, -1);
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

TEST(TankTest, PlayerTwoDrivesWithADAndFiresOnChannelOneWithLeftControlOnlyInATwoPlayerGame)
{
    for (int players : {1, 2}) {
        startClearRound(players, 11);
        const TankState two = tank[1];
        FSOUND_StopSound(FSOUND_ALL);
        runPasses(1, Keys{SDLK_LCTRL});
        EXPECT_EQ(firedThisPass(1), players == 2);
        EXPECT_EQ(FSOUND_IsPlaying(kFireChannel + 1), players == 2);
        EXPECT_FALSE(shot[0].active || FSOUND_IsPlaying(kFireChannel));
        runPasses(40, Keys{SDLK_d});
        EXPECT_EQ(tank[1].x > two.x, players == 2);
        EXPECT_FLOAT_EQ(tank[0].x, players == 1 ? 287.0f : 452.0f);
    }
    EXPECT_DOUBLE_EQ(shot[1].x, 125.0 + 20.0);
}

TEST(TankTest, TouchingTanksBackOffAndSwapSpeedsOnce)
{
    for (float rightX : {240.0f, 400.0f, 300.0f}) {
        startClearRound(2, 11);
        tank[0].x = rightX;
        tank[1].x = 200.0f;
        placeTankParts(0);
        placeTankParts(1);
        tank[0].vx = -2.0f;
        tank[1].vx = 2.0f;
        if (rightX != 300.0f) {
            bumpTanks();
            const bool touching = rightX == 240.0f;
            EXPECT_FLOAT_EQ(tank[0].x, touching ? 244.0f : rightX);
            EXPECT_FLOAT_EQ(tank[1].x, touching ? 196.0f : 200.0f);
            EXPECT_FLOAT_EQ(tank[0].vx, touching ? 2.0f : -2.0f);
            EXPECT_FLOAT_EQ(tank[1].vx, touching ? -2.0f : 2.0f);
            continue;
        }
        int reversals = 0;  // rolling together through real passes they meet once and part
        for (int pass = 0; pass < 100; ++pass) {
            const float before = tank[0].vx;
            runPasses(1);
            reversals += (before < 0.0f) != (tank[0].vx < 0.0f) && tank[0].vx != 0.0f;
        }
        EXPECT_EQ(reversals, 1);
        EXPECT_EQ(tank[0].vx, 0.0f) << "friction has stopped them";
        const Sprite* cover = tank[1].tankWheelsSprite;
        EXPECT_GT(tank[0].tankWheelsSprite->x(), cover->x() + cover->scaledWidth()) << "they stand apart";
    }
}

TEST(TankTest, ThePartsAndTheCrossedOutlineFollowTheTank)
{
    startClearRound(1, 11);
    TankState& t = tank[0];
    t.x = 100.5f;
    t.tilt = 6.0;
    t.vx = 0.5f;
    const double cannonY = t.tankCannonSprite->y(), wheelTurn = t.tankWheelSprite[2]->rotation();
    placeTankParts(0);
    struct Part {
        const Sprite* sprite;
        double x, y, depth, rotation;
    };
    for (const Part& p : {Part{t.tankWheelsSprite, 101.5, 462.0, 2.0, 0.0}, {t.tankBodySprite, 106.5, 455.0, 2.0, 6.0},
                          {t.tankBridgeSprite, 114.5, 447.0, 2.0, 6.0}, {t.tankCannonSprite, 120.5, cannonY, 1.0, 0.0},
                          {t.tankWheelSprite[0], 102.5, 469.0, 1.0, t.tankWheelSprite[0]->rotation()},
                          {t.tankWheelSprite[3], 135.5, 469.0, 1.0, t.tankWheelSprite[3]->rotation()}}) {
        EXPECT_DOUBLE_EQ(p.sprite->x(), p.x);
        EXPECT_DOUBLE_EQ(p.sprite->y(), p.y);
        EXPECT_TRUE(p.sprite->depth() == p.depth && p.sprite->rotation() == p.rotation) << p.x;
    }
    EXPECT_DOUBLE_EQ(t.tankWheelSprite[2]->rotation(), wheelTurn + 7.5) << "15 degrees per pixel of speed";
    const Quad outline = {{115.5, 133.5, 100.5, 144.5}, {436.0, 436.0, 465.0, 465.0}};
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(t.outline.x[k] == outline.x[k] && t.outline.y[k] == outline.y[k]) << "corner " << k;
}

}  // namespace
