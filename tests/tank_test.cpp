// The player tanks driven through real passes: momentum, lean, skids, the
// edges, the cannon's reload, the two tanks bumping, and the parts and
// outline placed on the tank. Rounds have an empty sky, so shots fly to the
// top and nothing falls on the tanks.
#include "game_harness.h"

#include "game_state.h"
#include "hit_test.h"
#include "samples.h"
#include "sprite.h"
#include "tank.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TankTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // A fresh shot this pass is 4 pixels above where it started.
    static bool firedThisPass(int p) { return shot[p].active && shot[p].y == tank[p].y - 6.0 - 4.0; }

    // Two tanks side by side, player 2's on the left, rolling towards each other.
    static void tanksClosing(float leftX, float rightX)
    {
        startClearRound(2, 11);
        tank[0].x = rightX;
        tank[1].x = leftX;
        placeTankParts(0);
        placeTankParts(1);
        tank[0].vx = -2.0f;
        tank[1].vx = 2.0f;
    }
};

TEST_F(TankTest, AHeldKeyGivesFullSpeedIn16PassesAndFullLeanIn4)
{
    startClearRound(1, 11);
    for (int pass = 1; pass <= 20; ++pass) {
        runPasses(1, Keys{SDLK_RIGHT});
        EXPECT_FLOAT_EQ(tank[0].vx, pass < 16 ? 0.125f * pass : 2.0f) << "pass " << pass;
        EXPECT_DOUBLE_EQ(tank[0].tilt, pass < 4 ? -2.0 * pass : -8.0) << "pass " << pass;
    }
    EXPECT_FLOAT_EQ(tank[0].x, 287.0f + 17.0f + 4 * 2.0f);

    // With both keys held Left wins, and the lean is positive to the left.
    startClearRound(1, 11);
    runPasses(3, Keys{SDLK_LEFT, SDLK_RIGHT});
    EXPECT_DOUBLE_EQ(tank[0].tilt, 6.0);
    runPasses(1, Keys{SDLK_LEFT, SDLK_RIGHT});
    EXPECT_DOUBLE_EQ(tank[0].tilt, 8.0);
    EXPECT_FLOAT_EQ(tank[0].vx, -0.5f);
}

TEST_F(TankTest, ReleasedAtFullSpeedItRollsToRestIn64PassesAndStandsUpright)
{
    startClearRound(1, 11);
    runPasses(16, Keys{SDLK_RIGHT});
    ASSERT_FLOAT_EQ(tank[0].vx, 2.0f);
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
    EXPECT_EQ(tank[0].tilt, 0.0);
    EXPECT_EQ(tank[0].tiltVel, 0.0);
}

TEST_F(TankTest, AHardReversalStartsOneSkidAndNoSecondWhileItLasts)
{
    startClearRound(1, 11);
    runPasses(16, Keys{SDLK_RIGHT});
    ASSERT_EQ(tank[0].tiltBurst, 0.0) << "speeding up is no skid";

    // The first pass against the motion: 1.875 is still above 1.
    const Keys left{SDLK_LEFT};
    keyState = left.state();
    driveTank(0);
    EXPECT_FLOAT_EQ(tank[0].vx, 1.875f);
    EXPECT_EQ(tank[0].tiltBurst, 80.0);
    EXPECT_EQ(tank[0].tiltBurstDir, +1);

    // The effect step counts it down; the passes still above 1 start nothing.
    for (int pass = 1; pass <= 80; ++pass) {
        runPasses(1, left);
        ASSERT_EQ(tank[0].tiltBurst, 80.0 - pass) << "pass " << pass;
    }
    ASSERT_FLOAT_EQ(tank[0].vx, -2.0f);

    // Reversing from full speed to the left skids the other way.
    keyState = Keys{SDLK_RIGHT}.state();
    driveTank(0);
    EXPECT_EQ(tank[0].tiltBurst, 80.0);
    EXPECT_EQ(tank[0].tiltBurstDir, -1);
}

TEST_F(TankTest, TheEdgesStopTheTankWithTheKeyStillHeld)
{
    startClearRound(1, 11);
    for (int pass = 0; pass < 200; ++pass) {
        runPasses(1, Keys{SDLK_LEFT});
        ASSERT_GE(tank[0].x, 80.0f);
    }
    EXPECT_EQ(tank[0].x, 80.0f);
    EXPECT_EQ(tank[0].vx, 0.0f);
    EXPECT_DOUBLE_EQ(tank[0].tankWheelsSprite->x(), 81.0);

    for (int pass = 0; pass < 300; ++pass) {
        runPasses(1, Keys{SDLK_RIGHT});
        ASSERT_LE(tank[0].x, 507.0f);
    }
    EXPECT_EQ(tank[0].x, 507.0f);
    EXPECT_EQ(tank[0].vx, 0.0f);
}

TEST_F(TankTest, AfterAShotTheCannonNeeds27PassesToReload)
{
    startClearRound(1, 11);
    FSOUND_StopSound(FSOUND_ALL);
    const Keys fire{SDLK_SPACE};
    runPasses(1, fire);
    ASSERT_TRUE(firedThisPass(0));
    EXPECT_DOUBLE_EQ(shot[0].x, 287.0 + 20.0);
    EXPECT_TRUE(shot[0].bulletSprite->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kFireChannel)) << "player 1 fires on channel 0";
    // Kicked down 4 pixels from rest, and already 0.15 back up.
    EXPECT_NEAR(tank[0].tankCannonSprite->y(), 432.0 + 4.0 + 4.0 - 0.15, 1e-9);

    // As if the shot had struck something at once: only the cannon holds it.
    shot[0].active = false;
    shot[0].bulletSprite->hide();
    for (int pass = 2; pass <= 27; ++pass) {
        runPasses(1, fire);
        ASSERT_FALSE(shot[0].active) << "fired again in pass " << pass;
    }
    runPasses(1, fire);
    EXPECT_TRUE(firedThisPass(0)) << "pass 28";
}

TEST_F(TankTest, HeldFireShootsAgainAsSoonAsTheShotHasLeftTheScreen)
{
    startClearRound(1, 11);
    std::vector<int> firedIn;
    for (int pass = 1; pass <= 230; ++pass) {
        runPasses(1, Keys{SDLK_SPACE});
        if (firedThisPass(0))
            firedIn.push_back(pass);
    }
    // From 426 at 4 pixels a pass the shot is above -16 for 110 flights.
    EXPECT_EQ(firedIn, (std::vector<int>{1, 112, 223}));
}

TEST_F(TankTest, PlayerTwoDrivesWithADAndFiresOnChannelOneWithLeftControl)
{
    // With one player, player 2's keys do nothing, nor do they drive player 1.
    startClearRound(1, 11);
    const TankState two = tank[1];
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(40, Keys{SDLK_a, SDLK_d, SDLK_LCTRL});
    EXPECT_TRUE(tank[1].x == two.x && tank[1].vx == two.vx && tank[1].tilt == two.tilt);
    EXPECT_FALSE(shot[1].active || tank[1].tankBodySprite->visible || FSOUND_IsPlaying(kFireChannel + 1));
    EXPECT_FLOAT_EQ(tank[0].x, 287.0f);
    EXPECT_FALSE(shot[0].active);

    startClearRound(2, 11);
    FSOUND_StopSound(FSOUND_ALL);
    runPasses(1, Keys{SDLK_LCTRL});
    EXPECT_TRUE(firedThisPass(1));
    EXPECT_FALSE(shot[0].active);
    EXPECT_DOUBLE_EQ(shot[1].x, 125.0 + 20.0);
    EXPECT_TRUE(FSOUND_IsPlaying(kFireChannel + 1));
    EXPECT_FALSE(FSOUND_IsPlaying(kFireChannel));
}

TEST_F(TankTest, TouchingTanksBackOffAndSwapSpeeds)
{
    tanksClosing(200.0f, 240.0f);
    bumpTanks();
    EXPECT_FLOAT_EQ(tank[0].x, 240.0f + 2.0f + 2.0f);
    EXPECT_FLOAT_EQ(tank[1].x, 200.0f - 2.0f - 2.0f);
    EXPECT_FLOAT_EQ(tank[0].vx, 2.0f);
    EXPECT_FLOAT_EQ(tank[1].vx, -2.0f);

    // Apart, nothing happens.
    tank[0].x = 400.0f;
    placeTankParts(0);
    bumpTanks();
    EXPECT_FLOAT_EQ(tank[0].x, 400.0f);
    EXPECT_FLOAT_EQ(tank[0].vx, 2.0f);

    // Rolling together through real passes they meet once and part.
    tanksClosing(200.0f, 300.0f);
    int reversals = 0;
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

TEST_F(TankTest, ThePartsAndTheOutlineFollowTheTank)
{
    startClearRound(1, 11);
    TankState& t = tank[0];
    t.x = 100.5f;
    t.tilt = 6.0;
    t.vx = 0.5f;
    const double cannonY = t.tankCannonSprite->y();  // the cannon keeps its own height
    const double wheelTurn = t.tankWheelSprite[2]->rotation();
    placeTankParts(0);

    struct Part {
        const Sprite* sprite;
        double x, y, depth, rotation;
    };
    const Part parts[] = {
        {t.tankWheelsSprite, 101.5, 462.0, 2.0, 0.0}, {t.tankBodySprite, 106.5, 455.0, 2.0, 6.0},
        {t.tankBridgeSprite, 114.5, 447.0, 2.0, 6.0}, {t.tankCannonSprite, 120.5, cannonY, 1.0, 0.0},
    };
    for (const Part& p : parts) {
        EXPECT_DOUBLE_EQ(p.sprite->x(), p.x);
        EXPECT_DOUBLE_EQ(p.sprite->y(), p.y);
        EXPECT_EQ(p.sprite->depth(), p.depth);
        EXPECT_EQ(p.sprite->rotation(), p.rotation);
    }
    for (int i = 0; i < kTankWheels; ++i) {
        EXPECT_DOUBLE_EQ(t.tankWheelSprite[i]->x(), 102.5 + 11.0 * i);
        EXPECT_DOUBLE_EQ(t.tankWheelSprite[i]->y(), 469.0);
        EXPECT_EQ(t.tankWheelSprite[i]->depth(), 1.0);
    }
    EXPECT_DOUBLE_EQ(t.tankWheelSprite[2]->rotation(), wheelTurn + 7.5) << "15 degrees per pixel of speed";

    const double x[4] = {115.5, 133.5, 100.5, 144.5};
    const double y[4] = {436.0, 436.0, 465.0, 465.0};
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(t.outline.x[k], x[k]) << "corner " << k;
        EXPECT_DOUBLE_EQ(t.outline.y[k], y[k]) << "corner " << k;
    }
    // The crossed corners make two triangles meeting at about (x + 23.4, 444.4).
    auto inside = [&](double px, double py) { return quadContainsPoint(t.outline, Quad{{px}, {py}}); };
    EXPECT_TRUE(inside(100.5 + 22.0, 440.0)) << "in the small triangle under the top edge";
    EXPECT_TRUE(inside(100.5 + 22.0, 460.0)) << "in the large triangle over the bottom edge";
    EXPECT_FALSE(inside(100.5 + 3.0, 440.0));
    EXPECT_FALSE(inside(100.5 + 40.0, 440.0));
}

}  // namespace
