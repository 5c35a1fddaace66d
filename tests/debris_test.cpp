// Debris in flight: 300 passes under gravity, smoke for the first 50, tank
// and mothership pieces hidden when they come to rest, alien pieces left,
// and flight going on through the pause between rounds.
#include "game_harness.h"

#include "debris_smoke.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Smoke particles of every piece's emitter that came out since the last call.
int newSmoke()
{
    static bool wasLive[kDebrisPieces][7][kSmokeParticles];
    int started = 0;
    for (int i = 0; i < kDebrisPieces; ++i)
        for (int e = 0; e < 7; ++e)
            for (int k = 0; k < kSmokeParticles; ++k) {
                const SwirlSlot& slot = e == 0   ? tankDebrisSmoke[0][i][k]
                                        : e == 1 ? mothershipDebrisSmoke[i][k]
                                                 : alienDebrisSmoke[i][e - 2][k];
                started += slot.particle.live && !wasLive[i][e][k];
                wasLive[i][e][k] = slot.particle.live;
            }
    return started;
}

TEST(DebrisTest, PiecesFlyFor300PassesUnderGravityAndSmokeForTheFirst50)
{
    // A tank lost to a flare, with every other piece thrown at the same moment.
    startNewGame(1, 41);
    fireDivisor = 1 << 30;
    placeFlare(0, 300.0, 450.0);
    destroyTank(0, kNoShield, 0);
    for (int i = 0; i < kDebrisPieces; ++i) {
        launchDebris(mothershipDebris[i], mothershipDebrisSprite[i], 320.0, 40.0, 1.0 - i, -2.0);
        mothershipDebrisSprite[i]->show();
        for (int s = 0; s < kExplosionSlots; ++s)
            launchDebris(alienDebris[i][s], alienDebrisSprite[i][s], 100.0 + 80.0 * s, 200.0, 0.5, -i);
    }
    alienDebrisSprite[0][0]->show();
    newSmoke();
    const Sprite* sprite = tankDebrisSprite[0][2];
    const DebrisPiece& piece = tankDebris[0][2];
    EXPECT_NEAR(sprite->x(), 309.0, 1e-9) << "launched where the flare struck, (x + 9, y + 7)";
    EXPECT_NEAR(sprite->y(), 457.0, 1e-9);
    double x = sprite->x(), y = sprite->y(), dy = piece.dy;
    int smokeEarly = 0, smokeLate = 0;
    for (int pass = 1; pass <= 300; ++pass) {
        runPasses(1);
        ASSERT_TRUE(pass >= 100 || roundPause >= 0) << "between rounds, pass " << pass;
        x += piece.dx;
        y += dy;
        dy += 0.07;
        ASSERT_NEAR(sprite->x(), x, 1e-6) << "pass " << pass;
        ASSERT_NEAR(sprite->y(), y, 1e-6) << "pass " << pass;
        ASSERT_EQ(piece.life, 300.0 - pass);
        const int started = newSmoke();
        EXPECT_TRUE(pass != 50 || started > 0) << "the last pass with smoke";
        (pass <= 50 ? smokeEarly : smokeLate) += started;
        ASSERT_TRUE(pass != 299 || mothershipDebrisSprite[3]->visible) << "in sight until the last pass";
    }
    EXPECT_GT(smokeEarly, 0);
    EXPECT_EQ(smokeLate, 0);
    runPasses(5);
    EXPECT_NEAR(sprite->x(), x, 1e-9) << "at rest";
    for (int i = 0; i < kDebrisPieces; ++i)
        EXPECT_FALSE(tankDebrisSprite[0][i]->visible || mothershipDebrisSprite[i]->visible) << "piece " << i;
    EXPECT_TRUE(alienDebrisSprite[0][0]->visible) << "alien pieces are left as they are";
    alienDebrisSprite[0][0]->hide();
}

TEST(DebrisTest, KicksThrowsAndSpinsSpanExactlyTheirRanges)
{
    std::srand(5);
    std::set<double> side, rise, spin;
    int left = 0;
    for (int n = 0; n < 3000; ++n) {
        side.insert(debrisSide(2));
        left += debrisSide(2) < 0;
        rise.insert(debrisRise(2));
        spin.insert(debrisSpin());
    }
    EXPECT_EQ(side, (std::set<double>{(-1.4 - 2) / 2, (2 + 1.4) / 2}));
    EXPECT_NEAR(left, 1500, 150) << "either way by an even chance";
    EXPECT_TRUE(rise.size() == 20 && *rise.begin() == -16 / 30.0 - 2 && *rise.rbegin() == 3 / 30.0 - 2);
    EXPECT_TRUE(spin.size() == 100 && *spin.begin() == -50 / 5.0 && *spin.rbegin() == 49 / 5.0);
}

}  // namespace
