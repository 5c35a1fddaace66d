// Debris in flight: 300 passes under gravity, smoke for the first 50, the
// pieces of tanks and the mothership hidden when they come to rest, and
// flight going on through the pause between rounds.
#include "game_harness.h"

#include "debris.h"
#include "debris_smoke.h"
#include "game_state.h"
#include "shots.h"
#include "sprite.h"

#include <gtest/gtest.h>

namespace {

class DebrisTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }

    // A tank lost to a flare, with every other piece of the game thrown at
    // the same moment, so that every smoke emitter is busy.
    static void everyPieceInFlight()
    {
        startNewGame(1, 41);
        fireDivisor = 1 << 30;
        alienBombSprite[0]->setPosition(300.0, 450.0, 2.0);
        alienBombSprite[0]->show();
        destroyTank(0, kNoShield, 0);
        for (int i = 0; i < kDebrisPieces; ++i) {
            launchDebris(mothershipDebris[i], mothershipDebrisSprite[i], 320.0, 40.0, 1.0 - i, -2.0);
            mothershipDebrisSprite[i]->show();
            for (int s = 0; s < kExplosionSlots; ++s)
                launchDebris(alienDebris[i][s], alienDebrisSprite[i][s], 100.0 + 80.0 * s, 200.0, 0.5, -i);
        }
        alienDebrisSprite[0][0]->show();  // to see that alien pieces are left as they are
    }

    // Smoke particles that have come out since the last call.
    static int newSmoke()
    {
        static bool wasLive[kDebrisPieces][7][kSmokeParticles];
        int started = 0;
        for (int i = 0; i < kDebrisPieces; ++i) {
            for (int e = 0; e < 7; ++e) {
                for (int k = 0; k < kSmokeParticles; ++k) {
                    const SwirlSlot& slot = e == 0   ? tankDebrisSmoke[0][i][k]
                                            : e == 1 ? mothershipDebrisSmoke[i][k]
                                                     : alienDebrisSmoke[i][e - 2][k];
                    started += slot.particle.live && !wasLive[i][e][k];
                    wasLive[i][e][k] = slot.particle.live;
                }
            }
        }
        return started;
    }
};

TEST_F(DebrisTest, PiecesFlyFor300PassesUnderGravityAndSmokeForTheFirst50)
{
    everyPieceInFlight();
    ASSERT_EQ(roundPause, 0);
    newSmoke();
    const Sprite* sprite = tankDebrisSprite[0][2];
    const DebrisPiece& piece = tankDebris[0][2];
    EXPECT_NEAR(sprite->x(), 309.0, 1e-9) << "launched where the flare struck, (x + 9, y + 7)";
    EXPECT_NEAR(sprite->y(), 457.0, 1e-9);
    double x = sprite->x();
    double y = sprite->y();
    double dy = piece.dy;
    int smokeEarly = 0;
    int smokeLate = 0;
    for (int pass = 1; pass <= 300; ++pass) {
        runPasses(1);
        if (pass < 100) {
            ASSERT_GE(roundPause, 0) << "between rounds, pass " << pass;
        }
        x += piece.dx;
        y += dy;
        dy += 0.07;
        ASSERT_NEAR(sprite->x(), x, 1e-6) << "pass " << pass;
        ASSERT_NEAR(sprite->y(), y, 1e-6) << "pass " << pass;
        ASSERT_NEAR(piece.dy, dy, 1e-12) << "pass " << pass;
        ASSERT_EQ(piece.life, 300.0 - pass);
        const int started = newSmoke();
        if (pass == 50) {
            EXPECT_GT(started, 0) << "the last pass with smoke";
        }
        (pass <= 50 ? smokeEarly : smokeLate) += started;
    }
    EXPECT_GT(smokeEarly, 0);
    EXPECT_EQ(smokeLate, 0) << "no smoke starts after the first 50 passes";

    runPasses(5);
    EXPECT_NEAR(sprite->x(), x, 1e-9) << "at rest";
    for (int i = 0; i < kDebrisPieces; ++i) {
        EXPECT_EQ(tankDebris[0][i].life, 0.0);
        EXPECT_FALSE(tankDebrisSprite[0][i]->visible);
        EXPECT_FALSE(mothershipDebrisSprite[i]->visible) << "mothership piece " << i;
    }
    EXPECT_TRUE(alienDebrisSprite[0][0]->visible) << "alien pieces are left as they are";
    alienDebrisSprite[0][0]->hide();
}

TEST_F(DebrisTest, MothershipPiecesStayInSightUntilTheirLastPass)
{
    everyPieceInFlight();
    runPasses(299);
    EXPECT_TRUE(mothershipDebrisSprite[3]->visible);
    EXPECT_EQ(mothershipDebris[3].life, 1.0);
    runPasses(1);
    EXPECT_FALSE(mothershipDebrisSprite[3]->visible);
    alienDebrisSprite[0][0]->hide();
}

}  // namespace
