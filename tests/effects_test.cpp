// The effect pools: how they are built, a trail swirl's life and colours,
// the smoke's colours and reuse, and the skid dust. The pools are built once
// with a fixed seed; each test lets the pool it uses run down.
#include "bullet_trail.h"
#include "debris_smoke.h"
#include "effect_pools.h"
#include "skid_dust.h"

#include "sprite.h"
#include "test_display.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

double centreX(const Sprite* s) { return s->x() + s->scaledWidth() / 2; }
double centreY(const Sprite* s) { return s->y() + s->scaledHeight() / 2; }

void expectCorners(const Sprite* s, std::vector<double> rgb, std::vector<int> corners = {0, 1, 2, 3})
{
    for (int c : corners)
        EXPECT_TRUE(std::fabs(s->cornerColour[c].red - rgb[0]) < 1e-12 && std::fabs(s->cornerColour[c].green - rgb[1]) < 1e-12 &&
                    std::fabs(s->cornerColour[c].blue - rgb[2]) < 1e-12)
            << "corner " << c << " is " << s->cornerColour[c].red << "," << s->cornerColour[c].green << "," << s->cornerColour[c].blue;
}

// Runs passes of a pool until some particle starts; returns those that did.
template <int N, class Update>
std::vector<SwirlSlot*> passUntilStart(SwirlSlot (&pool)[N], Update update, int passes = 1000)
{
    for (int pass = 0; pass < passes; ++pass) {
        bool wasLive[N];
        for (int i = 0; i < N; ++i)
            wasLive[i] = pool[i].particle.live;
        update();
        std::vector<SwirlSlot*> started;
        for (int i = 0; i < N; ++i)
            if (!wasLive[i] && pool[i].particle.live)
                started.push_back(&pool[i]);
        if (!started.empty() || passes == 1)
            return started;
    }
    ADD_FAILURE() << "nothing started in " << passes << " passes";
    return {};
}

class EffectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ensureDisplay();
        std::srand(1234);
        buildEffectPools();
        randAfterBuild = std::rand();
    }
    static inline int randAfterBuild = 0;
};

TEST_F(EffectsTest, BuildingParksEveryParticleHiddenWithASharedRandomSpinAndDrift)
{
    // Three draws per particle and no others keep a seeded run reproducible.
    std::srand(1234);
    for (int i = 0; i < 3 * (2 * 60 + 2 * 10 + 300 + 150 + 750); ++i)
        std::rand();
    EXPECT_EQ(randAfterBuild, std::rand());
    for (const SwirlSlot& slot : bulletTrail[0]) {
        const double steps = slot.particle.drift * 2.5 + 3, speed = std::fabs(slot.swirl->textureSpin);
        EXPECT_TRUE(std::fabs(steps - std::round(steps)) < 1e-9 && steps > -1e-9 && steps < 5 + 1e-9) << steps;
        EXPECT_TRUE(speed >= 8.0 && speed <= 8.39 + 1e-9) << speed;
        EXPECT_FALSE(slot.particle.live || slot.outline->visible);
        EXPECT_TRUE(slot.outline->scaleX() == 0.1 && slot.outline->textureSpin == slot.swirl->textureSpin);
    }
    expectCorners(skidDust[1][9].swirl, {0.5, 0.4, 0.2});
    expectCorners(skidDust[1][9].outline, {1.0, 1.0, 0.0});
    EXPECT_EQ(alienDebrisSmoke[0][0][0].swirl->textureName, purpleSwirlTexture->textureName) << "one image for all";
}

TEST_F(EffectsTest, ATrailSwirlSwellsThenDriftsShrinksAndFadesWhileItsColoursTurn)
{
    double scaleBefore[kTrailParticles];
    for (int i = 0; i < kTrailParticles; ++i)
        scaleBefore[i] = bulletTrail[1][i].swirl->scaleX();
    const std::vector<SwirlSlot*> started =
        passUntilStart(bulletTrail[1], [] { updateBulletTrail(200, 300, kEffectDepth, true, 1); });
    ASSERT_FALSE(started.empty());
    SwirlSlot& slot = *started.front();
    Sprite* swirl = slot.swirl;
    // Started and already moved: placed at the shot plus (2, 7) at its old
    // scale, scaled to 0.1 about that centre, swollen to 0.11, sunk half a
    // pixel; clock 100 makes the left edge yellow in red.
    const double before = scaleBefore[&slot - bulletTrail[1]], firstY = centreY(swirl);
    EXPECT_NEAR(centreX(swirl), 202 + before * swirl->imageWidth / 2, 1e-9);
    EXPECT_NEAR(firstY, 307 + before * swirl->imageHeight / 2 + 0.5, 1e-9);
    EXPECT_NEAR(slot.outline->scaleX(), 0.11, 1e-12);
    expectCorners(swirl, {1, 1, 0}, {kTopLeft});
    expectCorners(slot.outline, {1, 0, 0}, {kBottomLeft});
    int swells = 1, shrinks = 0, update = 2;
    for (; update <= 60 && slot.particle.live; ++update) {
        const double scale = swirl->scaleX(), alpha = slot.outline->alpha(), x = centreX(swirl);
        updateBulletTrail(200, 300, kEffectDepth, false, 1);  // a swirl that is out finishes its course
        if (slot.particle.live && swirl->scaleX() > scale) {
            ++swells;
        } else if (slot.particle.live) {
            ++shrinks;
            EXPECT_NEAR(centreX(swirl) - x, slot.particle.drift, 1e-9);
            EXPECT_NEAR(slot.outline->alpha(), alpha - 0.05, 1e-12);
        }
        const double t = (124 - 110) / 256.0 * 4.6;  // clock 124: the greens turn, measured from 110
        if (update == 3)
            expectCorners(swirl, {1, 1 - t, 0}, {kTopLeft}), expectCorners(slot.outline, {1, t, 0}, {kTopLeft});
        const double green = 1 - (172 - 110) / 256.0 * 4.6, u = (184 - 180) / 256.0 * 4.6;
        if (update == 8)  // clock 184: the swirl's red and the outline's blue turn
            expectCorners(swirl, {1 - u, green, 0}, {kBottomLeft}), expectCorners(slot.outline, {1, 1 - green, u}, {kBottomLeft});
    }
    EXPECT_TRUE(swells == 30 && shrinks == 24 && update == 56) << swells << " " << shrinks << " " << update;
    EXPECT_FALSE(slot.outline->visible);
    EXPECT_NEAR(centreY(swirl) - firstY, 54 * 0.5, 1e-9);
}

TEST_F(EffectsTest, SmokeStartsRedInYellowAbove270PassesOfLifeAndBlackInRedBelowWhereItsPieceIs)
{
    auto check = [](auto& pool, double& life, auto update) {
        life = 271;
        const std::vector<SwirlSlot*> early = passUntilStart(pool, update);
        life = 270;
        for (SwirlSlot* s : passUntilStart(pool, update))
            expectCorners(s->swirl, {0, 0, 0}), expectCorners(s->outline, {1, 0, 0});
        for (SwirlSlot* s : early)  // a particle keeps the colour it started with
            expectCorners(s->swirl, {1, 0, 0}), expectCorners(s->outline, {1, 1, 0});
    };
    for (int p = 0; p < kPlayers; ++p)
        check(tankDebrisSmoke[p][2], tankDebris[p][2].life, [p] { updateTankDebrisSmoke(50, 60, kEffectDepth, true, 2, p); });
    check(mothershipDebrisSmoke[4], mothershipDebris[4].life, [] { updateMothershipDebrisSmoke(50, 60, kEffectDepth, true, 4); });

    // A reused explosion slot starts at its new place; the old smoke runs on.
    SwirlSlot(&alien)[kSmokeParticles] = alienDebrisSmoke[1][3];
    for (int i = 0; i < 20; ++i)
        updateAlienDebrisSmoke(100, 100, kEffectDepth, true, 1, 3);
    std::vector<SwirlSlot*> old;
    for (SwirlSlot& s : alien)
        if (s.particle.live)
            old.push_back(&s);
    ASSERT_FALSE(old.empty());
    for (SwirlSlot* s : passUntilStart(alien, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, true, 1, 3); })) {
        EXPECT_GT(centreX(s->swirl), 450);
        expectCorners(s->swirl, {1, 1, 1});  // purple by its own image
    }
    for (SwirlSlot* s : old)
        EXPECT_LT(centreX(s->swirl), 200) << "old smoke jumped to the new explosion";
    for (int pass = 0; pass < 55; ++pass)
        EXPECT_TRUE(passUntilStart(alien, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, false, 1, 3); }, 1).empty());
    for (SwirlSlot& s : alien)
        EXPECT_FALSE(s.particle.live) << "inactive, it all runs out";
}

TEST_F(EffectsTest, ASkidRaisesAtMostTenPuffsCarriedItsWayThatStartLowerRightWhenReused)
{
    int total = 0, reused = 0;
    double firstX[kDustParticles] = {}, firstY[kDustParticles] = {};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const int direction = seed % 2 ? +1 : -1;
        tank[0].tiltBurstDir = direction;
        std::srand(seed);
        int starts[kDustParticles] = {};
        for (int burst = 80; burst > 0; --burst) {
            const double x = centreX(skidDust[0][0].swirl), y = centreY(skidDust[0][0].swirl), alpha = skidDust[0][0].swirl->alpha();
            const bool out = skidDust[0][0].particle.live;
            for (SwirlSlot* s : passUntilStart(skidDust[0], [burst] { updateSkidDust(300, 440, kEffectDepth, burst > 40, 0); }, 1)) {
                const int i = s - skidDust[0];
                ++starts[i];
                // The builder's scale 0.1 the first time, 0.51 after a puff's life.
                if (firstX[i] == 0.0) {
                    firstX[i] = s->swirl->x(), firstY[i] = s->swirl->y();
                } else {
                    ++reused;
                    EXPECT_NEAR(s->swirl->y() - firstY[i], (0.51 - 0.1) * s->swirl->imageHeight / 2, 1e-9);
                }
            }
            // Carried its way and up, fading, the outline one step ahead.
            EXPECT_TRUE(!out || (std::fabs(centreX(skidDust[0][0].swirl) - x - 1.5 * direction) < 1e-9 &&
                                 std::fabs(centreY(skidDust[0][0].swirl) - y + 0.75) < 1e-9 &&
                                 std::fabs(skidDust[0][0].swirl->alpha() - (alpha - 0.025)) < 1e-9 &&
                                 std::fabs(skidDust[0][0].outline->alpha() - (alpha - 0.05)) < 1e-9));
        }
        for (int i = 0; i < kDustParticles; ++i) {
            EXPECT_LE(starts[i], 1);
            total += starts[i];
            EXPECT_FALSE(skidDust[0][i].particle.live || skidDust[0][i].outline->visible);
        }
    }
    EXPECT_TRUE(total > 40 * 4 && reused > 0);  // about seven a skid
    for (SwirlSlot& s : skidDust[1])
        EXPECT_FALSE(s.particle.live) << "player 2's dust moved with player 1's skid";
}

}  // namespace
