// The shields: their shape, the spring, rams, flares and tanks, the sideways
// drift, and their loss when the formation comes low.
#include "game_harness.h"

#include <gtest/gtest.h>

namespace {

Sprite* arc(int s) { return shield[s].shieldArcSprite; }
Sprite* ball(int s, int b) { return shield[s].shieldBallSprite[b]; }

// Level n set up as the game does, with no flares dropping.
void playQuietLevel(int n)
{
    startQuietGame();
    playLevel(n);
    fireDivisor = 1;
}

TEST(ShieldsTest, TheBallsAndOutlineSitOnTheArcAndTurnWithIt)
{
    startQuietGame();
    arc(1)->setPosition(300.0, 390.0, 3.0);
    moveShield(1);
    EXPECT_NEAR(ball(1, 0)->x(), 300.0 - 15.1, 0.05);
    EXPECT_NEAR(ball(1, 1)->x(), 300.0 + 47.1, 0.05);
    EXPECT_NEAR(ball(1, 1)->y(), 390.0 - 5.0, 0.001);
    // Corners: top-left, top-right, bottom-right, bottom-left.
    const Quad expected = {{300 - 24.7, 300 + 62.7, 300 + 62.7, 300 - 24.7}, {384.6, 384.6, 395.4, 395.4}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(shield[1].outline.x[k], expected.x[k], 0.05) << "corner " << k;
        EXPECT_NEAR(shield[1].outline.y[k], expected.y[k], 0.05) << "corner " << k;
    }
    // Turned clockwise on screen, the balls keep their common centre on the
    // arc and the right end goes down.
    arc(0)->setRotation(30.0);
    moveShield(0);
    EXPECT_NEAR((ball(0, 0)->x() + ball(0, 1)->x()) / 2, arc(0)->x() + 16.0, 0.01);
    EXPECT_NEAR((ball(0, 0)->y() + ball(0, 1)->y()) / 2, arc(0)->y() - 5.0, 0.01);
    EXPECT_NEAR(std::hypot(ball(0, 1)->x() - ball(0, 0)->x(), ball(0, 1)->y() - ball(0, 0)->y()), 62.2, 0.05);
    EXPECT_GT(ball(0, 1)->y(), ball(0, 0)->y() + 30.0);
}

TEST(ShieldsTest, TheSpringBringsADisplacedShieldBackTowardsRest)
{
    startQuietGame();
    arc(0)->setPosition(arc(0)->x(), 430.0, 3.0);  // pressed down
    arc(2)->setPosition(arc(2)->x(), 370.0, 3.0);  // thrown up
    runPasses(5);
    EXPECT_TRUE(shield[0].vy < 0.0 && shield[2].vy > 0.0);
    runPasses(600);
    double furthest = 0.0;
    for (int pass = 0; pass < 100; ++pass) {
        runPasses(1);
        for (int s : {0, 2})
            furthest = std::fmax(furthest, std::fabs(arc(s)->y() - kShieldRestY));
    }
    EXPECT_LT(furthest, 1.5);
}

TEST(ShieldsTest, KnockedAwayShieldsFallPastY700AndStayGoneUntilTheNextLevel)
{
    startQuietGame();
    tank[0].x = 212.0f;  // in the gap between shields 0 and 1, or they fall on it
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
    EXPECT_EQ(Mix_Volume(kShieldsDownChannel, -1), 128 * MIX_MAX_VOLUME / 255) << "set every pass";
    placeAlien(0, 120.0, -50.0);  // back where it waits, so it never lands
    double lowest = 0.0;
    for (int passes = 0; shield[0].alive && passes < 1000; ++passes) {
        lowest = arc(0)->y();
        runPasses(1);
    }
    ASSERT_FALSE(shield[0].alive);
    EXPECT_TRUE(lowest <= 700.0 && arc(0)->y() > 700.0);
    EXPECT_FALSE(arc(0)->visible || ball(0, 0)->visible || ball(0, 1)->visible);

    destroyTank(0, kNoShield, kNoFlare);
    runPasses(kRoundPausePasses + 200);
    for (int s = 0; s < kShieldCount; ++s)
        EXPECT_FALSE(shield[s].alive || arc(s)->visible || ball(s, 1)->visible) << "shield " << s << " stays away";
    for (int i = 0; i < kAlienCount; ++i)
        destroyAlien(i, 0);
    runPasses(kRoundPausePasses + 1);
    EXPECT_EQ(level, 2);
    EXPECT_FALSE(shieldsGone);
    const double startX[kShieldCount] = {140.0, 290.0, 440.0};
    for (int s = 0; s < kShieldCount; ++s) {
        EXPECT_TRUE(shield[s].alive && arc(s)->visible && ball(s, 0)->visible && ball(s, 1)->visible);
        EXPECT_DOUBLE_EQ(arc(s)->x(), startX[s]);
        EXPECT_NEAR(arc(s)->y(), kShieldRestY, 0.1);
        EXPECT_NEAR(shield[s].vy, 0.0, 0.5);
    }
}

TEST(ShieldsTest, ARamShovesTheShieldDownAndTurnsItAgainstTheMarch)
{
    for (double direction : {+0.5, -0.5}) {
        startQuietGame();
        // Shield 1 bobbed up; alien 0 touches it from above without coming below y 360.
        arc(1)->setPosition(290.0, 370.0, 3.0);
        moveShield(1);
        placeAlien(0, 250.0, 345.0);
        marchSpeed = direction;
        runPasses(1, Keys(), true);
        EXPECT_FALSE(alien[0].alive || shieldsGone);
        EXPECT_GT(shield[1].vy, 2.5);
        EXPECT_DOUBLE_EQ(arc(1)->spin, direction > 0 ? -3.0 : 3.0);
        runPasses(5, Keys(), true);
        EXPECT_GT(arc(1)->rotation() * -direction, 2.5) << "marching right turns it anticlockwise";
    }
}

TEST(ShieldsTest, DriftingShieldsReverseTogetherAtTheLeftEdgeEvenWithOneDead)
{
    for (int lvl : {17, 49}) {
        playQuietLevel(lvl);
        shieldDrift = -1.0;
        const int edgeBall = lvl == 17 ? 0 : 1;  // on 49 shield 0 is out, its balls left beyond the edge
        if (lvl == 49) {
            shield[0].alive = false;
            arc(0)->hide();
            ball(0, 0)->setPosition(0.0, 395.0, 3.0);
            ball(0, 0)->hide();
        }
        int passes = 0;
        for (; ball(edgeBall, 0)->x() > 5.0 && passes < 500; ++passes) {
            runPasses(1);
            ASSERT_DOUBLE_EQ(arc(0)->x(), arc(1)->x() - 150.0) << "every arc drifts";
        }
        EXPECT_NEAR(passes, lvl == 17 ? 120 : 270, 1);
        const double before[3] = {arc(0)->x(), arc(1)->x(), arc(2)->x()};
        runPasses(1);
        EXPECT_DOUBLE_EQ(shieldDrift, 1.0);
        for (int s = 0; s < kShieldCount; ++s)
            EXPECT_DOUBLE_EQ(arc(s)->x(), before[s] + 1.0) << "shield " << s << " turns with the others";
        EXPECT_TRUE(lvl != 49 || ball(0, 0)->x() == 0.0) << "a dead shield's balls are not moved";
    }
    shieldsGone = true;
    const double x = arc(1)->x();
    runPasses(10);
    EXPECT_DOUBLE_EQ(arc(1)->x(), x) << "knocked away, they only fall";
}

TEST(ShieldsTest, FlaresSlowAShieldThatIsAlreadySinkingFastAndPushTheRest)
{
    for (int lvl : {1, 9}) {
        playQuietLevel(lvl);
        const double k = lvl == 1 ? 1.0 : 2.0;
        moveShield(1);  // the outline where the arc rests
        shield[1].vy = 2.0 * k;
        for (double vy : {1.5 * k, k, 0.5 * k, k}) {
            placeFlare(0, arc(1)->x() + 5.0, arc(1)->y() - 8.0);
            flareStep(0);
            EXPECT_FALSE(alienBombSprite[0]->visible) << "the flare stops in the shield";
            EXPECT_DOUBLE_EQ(shield[1].vy, vy) << "level " << lvl;
        }
        EXPECT_LT(arc(1)->spin, 0.0) << "a flare left of the middle turns it anticlockwise";
    }
}

TEST(ShieldsTest, AShieldPushedDownOntoATankDestroysItAndIsThrownUp)
{
    startQuietGame();
    shield[1].vy = 5.0;  // over the tank at 287
    double vyBefore = 0.0;
    int passes = 0;
    for (; lives == 3 && passes < 40; ++passes) {
        vyBefore = shield[1].vy;
        runPasses(1);
    }
    EXPECT_TRUE(lives == 2 && passes <= 10 && roundPause == 0);
    EXPECT_FALSE(tank[0].tankBodySprite->visible);
    EXPECT_LT(shield[1].vy, vyBefore - 2.9);
    EXPECT_GT(arc(1)->y(), 425.0);
}

}  // namespace
