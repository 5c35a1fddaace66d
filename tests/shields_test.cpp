// The shields: their loss when the formation comes low and their return a
// level later, and what flares do to them.
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

}  // namespace
