// The shields: their shape, the spring, the reactions to rams, flares and
// tanks, the sideways drift, and their loss when the formation comes low.
#include "game_harness.h"

#include "formation.h"
#include "game_state.h"
#include "main_loop.h"
#include "samples.h"
#include "shields.h"
#include "shots.h"
#include "sprite.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class ShieldsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // Level n set up the way the game does it, with no flares dropping, so
    // that nothing but the test touches the shields.
    static void playQuietLevel(int n)
    {
        playLevel(n);
        fireDivisor = 1;
    }

    static Sprite* arc(int s) { return shield[s].shieldArcSprite; }
    static Sprite* ball(int s, int b) { return shield[s].shieldBallSprite[b]; }
};

TEST_F(ShieldsTest, TheBallsAndOutlineSitOnTheArcAndTurnWithIt)
{
    startQuietGame();
    arc(1)->setPosition(300.0, 390.0, 3.0);
    moveShield(1);
    double ax = arc(1)->x();
    double ay = arc(1)->y();
    EXPECT_NEAR(ball(1, 0)->x(), ax - 15.1, 0.05);
    EXPECT_NEAR(ball(1, 1)->x(), ax + 47.1, 0.05);
    EXPECT_NEAR(ball(1, 0)->y(), ay - 5.0, 0.001);
    EXPECT_NEAR(ball(1, 1)->y(), ay - 5.0, 0.001);

    // Corners 0..3: top-left, top-right, bottom-right, bottom-left.
    const Quad& q = shield[1].outline;
    const double left = ax - 24.7, right = ax + 62.7, top = ay - 5.4, bottom = ay + 5.4;
    const double expectX[4] = {left, right, right, left};
    const double expectY[4] = {top, top, bottom, bottom};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(q.x[k], expectX[k], 0.05) << "corner " << k;
        EXPECT_NEAR(q.y[k], expectY[k], 0.05) << "corner " << k;
    }

    // Turned, the balls keep their common centre on the arc.
    arc(0)->setRotation(30.0);
    moveShield(0);
    ax = arc(0)->x();
    ay = arc(0)->y();
    const double midX = (ball(0, 0)->x() + ball(0, 1)->x()) / 2;
    const double midY = (ball(0, 0)->y() + ball(0, 1)->y()) / 2;
    EXPECT_NEAR(midX, ax + 16.0, 0.01);
    EXPECT_NEAR(midY, ay - 5.0, 0.01);
    EXPECT_NEAR(std::hypot(ball(0, 1)->x() - ball(0, 0)->x(), ball(0, 1)->y() - ball(0, 0)->y()), 62.2, 0.05);
    // Clockwise on screen: the right end goes down.
    EXPECT_GT(ball(0, 1)->y(), ball(0, 0)->y() + 30.0);
}

TEST_F(ShieldsTest, TheSpringBringsADisplacedShieldBackTowardsRest)
{
    startQuietGame();
    arc(0)->setPosition(arc(0)->x(), 430.0, 3.0);  // pressed down
    arc(2)->setPosition(arc(2)->x(), 370.0, 3.0);  // thrown up
    runPasses(5);
    EXPECT_LT(shield[0].vy, 0.0) << "pulled up";
    EXPECT_GT(shield[2].vy, 0.0) << "pulled down";
    runPasses(600);
    for (int s : {0, 2}) {
        double furthest = 0.0;
        for (int pass = 0; pass < 100; ++pass) {
            runPasses(1);
            furthest = std::fmax(furthest, std::fabs(arc(s)->y() - kShieldRestY));
        }
        EXPECT_LT(furthest, 1.5) << "shield " << s << " settles near its rest height";
    }
}

TEST_F(ShieldsTest, KnockedAwayShieldsFallOutOfPlayPastY700)
{
    startQuietGame();
    tank[0].x = 212.0f;  // in the gap between shields 0 and 1, or they fall on it
    shieldsGone = true;
    double lowest = 0.0;
    for (int passes = 0; shield[0].alive && passes < 1000; ++passes) {
        lowest = arc(0)->y();
        runPasses(1);
    }
    ASSERT_FALSE(shield[0].alive) << "a knocked-away shield falls out of play";
    EXPECT_LE(lowest, 700.0) << "still in play until it passes y 700";
    EXPECT_GT(arc(0)->y(), 700.0);
    EXPECT_FALSE(arc(0)->visible || ball(0, 0)->visible || ball(0, 1)->visible);
}

TEST_F(ShieldsTest, KnockedAwayShieldsStayGoneThroughLostLivesUntilTheNextLevel)
{
    startQuietGame();
    shieldsGone = true;
    runPasses(20);
    ASSERT_TRUE(shield[1].alive) << "still falling";
    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses);
    ASSERT_EQ(roundPause, -1);
    for (int s = 0; s < kShieldCount; ++s) {
        EXPECT_FALSE(shield[s].alive) << "shield " << s;
        EXPECT_FALSE(arc(s)->visible || ball(s, 0)->visible || ball(s, 1)->visible) << "shield " << s;
    }
    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses + 200);
    for (int s = 0; s < kShieldCount; ++s)
        EXPECT_FALSE(shield[s].alive || arc(s)->visible) << "shield " << s << " stays away";

    // The formation wiped out: the next level brings all three back.
    for (int i = 0; i < kAlienCount; ++i)
        destroyAlien(i, 0);
    runPasses(kRoundPausePasses + 1);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(lives, 1);
    EXPECT_FALSE(shieldsGone);
    const double startX[kShieldCount] = {140.0, 290.0, 440.0};
    for (int s = 0; s < kShieldCount; ++s) {
        EXPECT_TRUE(shield[s].alive && arc(s)->visible && ball(s, 0)->visible && ball(s, 1)->visible);
        EXPECT_DOUBLE_EQ(arc(s)->x(), startX[s]);
        EXPECT_NEAR(arc(s)->y(), kShieldRestY, 0.1);
    }
}

TEST_F(ShieldsTest, ARamTurnsTheShieldAgainstTheMarch)
{
    for (double direction : {+0.5, -0.5}) {
        startQuietGame();
        // Shield 1 bobbed up; alien 0 (top row, still during the entry)
        // touches it from above without coming below y 360.
        arc(1)->setPosition(290.0, 370.0, 3.0);
        moveShield(1);
        placeAlien(0, 250.0, 345.0);
        marchSpeed = direction;

        runPasses(1, Keys(), true);
        EXPECT_FALSE(alien[0].alive) << "the alien runs into the shield and dies";
        EXPECT_FALSE(shieldsGone);
        EXPECT_GT(shield[1].vy, 2.5) << "the ram shoves the shield down";
        EXPECT_DOUBLE_EQ(arc(1)->spin, direction > 0 ? -3.0 : 3.0);
        runPasses(5, Keys(), true);
        if (direction > 0)
            EXPECT_LT(arc(1)->rotation(), -5.0) << "marching right turns it anticlockwise";
        else
            EXPECT_GT(arc(1)->rotation(), 5.0) << "marching left turns it clockwise";
    }
}

TEST_F(ShieldsTest, DriftingShieldsReverseTogetherAtTheLeftEdge)
{
    startQuietGame();
    playQuietLevel(17);
    shieldDrift = -1.0;
    int passes = 0;
    for (; ball(0, 0)->x() > 5.0 && passes < 500; ++passes)
        runPasses(1);
    ASSERT_LE(ball(0, 0)->x(), 5.0);
    EXPECT_NEAR(passes, 120, 1);
    const double before[3] = {arc(0)->x(), arc(1)->x(), arc(2)->x()};
    runPasses(1);
    EXPECT_DOUBLE_EQ(shieldDrift, 1.0);
    for (int s = 0; s < kShieldCount; ++s)
        EXPECT_DOUBLE_EQ(arc(s)->x(), before[s] + 1.0) << "shield " << s << " turns with the others";

    // Knocked away, they only fall.
    shieldsGone = true;
    runPasses(10);
    for (int s = 0; s < kShieldCount; ++s)
        EXPECT_DOUBLE_EQ(arc(s)->x(), before[s] + 1.0) << "shield " << s << " no longer drifts";
}

TEST_F(ShieldsTest, ADeadShieldDoesNotTurnTheDriftButItsArcMovesAlong)
{
    startQuietGame();
    playQuietLevel(49);
    shieldDrift = -1.0;
    // Shield 0 out of play, its balls left beyond the edge.
    shield[0].alive = false;
    arc(0)->hide();
    ball(0, 0)->setPosition(0.0, 395.0, 3.0);
    ball(0, 0)->hide();
    ball(0, 1)->hide();

    int passes = 0;
    int reachedEdge = 0;
    while (shieldDrift < 0.0 && passes < 500) {
        EXPECT_DOUBLE_EQ(arc(0)->x(), arc(1)->x() - 150.0) << "the hidden arc drifts with the others";
        if (reachedEdge == 0 && ball(1, 0)->x() <= 5.0)
            reachedEdge = passes;
        runPasses(1);
        ++passes;
    }
    EXPECT_DOUBLE_EQ(ball(0, 0)->x(), 0.0) << "a dead shield's balls are not moved";
    // Shield 1's left ball (arc 290) reaches 5 after 270 passes; the next
    // pass turns the drift.
    EXPECT_EQ(reachedEdge, 270);
    EXPECT_EQ(passes, reachedEdge + 1);
    EXPECT_DOUBLE_EQ(arc(0)->x(), arc(1)->x() - 150.0);
}

TEST_F(ShieldsTest, FlaresSlowAShieldThatIsAlreadySinkingFast)
{
    for (int lvl : {1, 9}) {
        startQuietGame();
        playQuietLevel(lvl);
        const double k = lvl == 1 ? 1.0 : 2.0;
        ASSERT_EQ(shieldPushStrength, int(k));
        moveShield(1);  // the outline where the arc rests
        shield[1].vy = 2.0 * k;
        // Each flare falls onto the shield's left half. While the shield
        // sinks at k or more a flare slows it; below that it pushes it down.
        const double expected[4] = {1.5 * k, k, 0.5 * k, k};
        for (double vy : expected) {
            placeFlare(0, arc(1)->x() + 5.0, arc(1)->y() - 8.0);
            flareStep(0);
            EXPECT_FALSE(alienBombSprite[0]->visible) << "level " << lvl << ": the flare stops in the shield";
            EXPECT_DOUBLE_EQ(shield[1].vy, vy) << "level " << lvl;
        }
        EXPECT_LT(arc(1)->spin, 0.0) << "a flare left of the middle turns it anticlockwise";
    }
}

TEST_F(ShieldsTest, AShieldPushedDownOntoATankDestroysIt)
{
    startQuietGame();
    ASSERT_FLOAT_EQ(tank[0].x, 287.0f);  // under shield 1
    shield[1].vy = 5.0;
    int passes = 0;
    double vyBefore = 0.0;
    for (; lives == 3 && passes < 40; ++passes) {
        vyBefore = shield[1].vy;
        runPasses(1);
    }
    EXPECT_EQ(lives, 2);
    EXPECT_LE(passes, 10);
    EXPECT_EQ(roundPause, 0);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    EXPECT_LT(shield[1].vy, vyBefore - 2.9) << "the tank throws the shield up";
    EXPECT_GT(arc(1)->y(), 425.0);
}

TEST_F(ShieldsTest, TheShieldsDownTriggerPlaysOnceAndSetsTheVolumeEveryTime)
{
    startQuietGame();
    FSOUND_StopSound(kShieldsDownChannel);
    placeAlien(0, 10.0, 365.0);  // clear of the shields, below y 360
    runPasses(1);
    EXPECT_TRUE(shieldsGone);
    EXPECT_TRUE(FSOUND_IsPlaying(kShieldsDownChannel));
    EXPECT_EQ(Mix_Volume(kShieldsDownChannel, -1), 128 * MIX_MAX_VOLUME / 255);

    FSOUND_StopSound(kShieldsDownChannel);
    FSOUND_SetVolume(kShieldsDownChannel, 255);
    runPasses(1);
    EXPECT_FALSE(FSOUND_IsPlaying(kShieldsDownChannel)) << "played only once";
    EXPECT_EQ(Mix_Volume(kShieldsDownChannel, -1), 128 * MIX_MAX_VOLUME / 255);
}

}  // namespace
