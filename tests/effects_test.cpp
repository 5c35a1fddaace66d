// The effect pools: how they are built, a trail swirl's life and colours,
// the start rules, the smoke's colours and reuse, and the skid dust. The
// pools are built once, with a fixed seed; each test lets its pool run down.
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

constexpr unsigned kBuildSeed = 1234;
constexpr int kParticleCount = 2 * 60 + 2 * 10 + 300 + 150 + 750;

struct Point2 {
    double x, y;
};

Point2 centreOf(const Sprite* s) { return {s->x() + s->scaledWidth() / 2, s->y() + s->scaledHeight() / 2}; }

// The value rand() gives after `skip` draws from a fresh seed.
int nthDraw(unsigned seed, int skip)
{
    std::srand(seed);
    for (int i = 0; i < skip; ++i)
        std::rand();
    return std::rand();
}

void expectColour(const CornerColour& c, double r, double g, double b)
{
    EXPECT_NEAR(c.red, r, 1e-12);
    EXPECT_NEAR(c.green, g, 1e-12);
    EXPECT_NEAR(c.blue, b, 1e-12);
}

void expectAllCorners(const Sprite* s, double r, double g, double b)
{
    for (const CornerColour& c : s->cornerColour)
        expectColour(c, r, g, b);
}

// Runs one pass of a pool; returns the particles that started in it.
template <int N, class Update>
std::vector<SwirlSlot*> startedBy(SwirlSlot (&pool)[N], Update update)
{
    bool wasLive[N];
    for (int i = 0; i < N; ++i)
        wasLive[i] = pool[i].particle.live;
    update();
    std::vector<SwirlSlot*> started;
    for (int i = 0; i < N; ++i)
        if (!wasLive[i] && pool[i].particle.live)
            started.push_back(&pool[i]);
    return started;
}

template <int N, class Update>
std::vector<SwirlSlot*> passUntilStart(SwirlSlot (&pool)[N], Update update)
{
    for (int pass = 0; pass < 1000; ++pass)
        if (std::vector<SwirlSlot*> started = startedBy(pool, update); !started.empty())
            return started;
    ADD_FAILURE() << "nothing started in 1000 passes";
    return {};
}

class EffectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ensureDisplay();
        std::srand(kBuildSeed);
        buildEffectPools();
        randAfterBuild = std::rand();
    }
    static inline int randAfterBuild = 0;
};

TEST_F(EffectsTest, BuildingParksEveryParticleHiddenWithASharedRandomSpin)
{
    // Three draws per particle and no others keep a seeded run reproducible.
    EXPECT_EQ(randAfterBuild, nthDraw(kBuildSeed, 3 * kParticleCount));
    for (const SwirlSlot& slot : bulletTrail[0]) {
        const double steps = slot.particle.drift * 2.5 + 3;  // 0..5
        EXPECT_TRUE(std::fabs(steps - std::round(steps)) < 1e-9 && steps > -1e-9 && steps < 5 + 1e-9);
        const double speed = std::fabs(slot.swirl->textureSpin);
        EXPECT_TRUE(speed >= 8.0 && speed <= 8.39 + 1e-9) << speed;
        EXPECT_FALSE(slot.particle.live || slot.outline->visible);
        EXPECT_EQ(slot.outline->scaleX(), 0.1);
        EXPECT_EQ(slot.outline->textureSpin, slot.swirl->textureSpin);
    }
    expectAllCorners(skidDust[1][9].swirl, 0.5, 0.4, 0.2);
    expectAllCorners(skidDust[1][9].outline, 1.0, 1.0, 0.0);
    // One purple image for all five pieces, not one per builder call.
    EXPECT_EQ(alienDebrisSmoke[0][0][0].swirl->textureName, purpleSwirlTexture->textureName);
}

TEST_F(EffectsTest, ATrailSwirlsLifeAndColours)
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
    // scale, scaled to 0.1 about that centre, swollen to 0.11 and sunk half
    // a pixel; clock 100 makes the left edge yellow in red.
    const double before = scaleBefore[&slot - bulletTrail[1]];
    const Point2 first = centreOf(swirl);
    EXPECT_NEAR(first.x, 202 + before * swirl->imageWidth / 2, 1e-9);
    EXPECT_NEAR(first.y, 307 + before * swirl->imageHeight / 2 + 0.5, 1e-9);
    EXPECT_NEAR(slot.outline->scaleX(), 0.11, 1e-12);
    expectColour(swirl->cornerColour[kTopLeft], 1, 1, 0);
    expectColour(slot.outline->cornerColour[kBottomLeft], 1, 0, 0);

    int swells = 1, shrinks = 0, endedOn = 0;
    for (int update = 2; update <= 60 && !endedOn; ++update) {
        const double scale = swirl->scaleX(), alpha = slot.outline->alpha(), x = centreOf(swirl).x;
        updateBulletTrail(200, 300, kEffectDepth, false, 1);  // a swirl that is out finishes its course
        if (!slot.particle.live) {
            endedOn = update;
            EXPECT_FALSE(slot.outline->visible);
        } else if (swirl->scaleX() > scale) {
            ++swells;
        } else {
            ++shrinks;
            EXPECT_NEAR(centreOf(swirl).x - x, slot.particle.drift, 1e-9);
            EXPECT_NEAR(slot.outline->alpha(), alpha - 0.05, 1e-12);
        }
        if (update == 3) {  // clock 124: the greens turn, measured from 110
            const double t = (124 - 110) / 256.0 * 4.6;
            expectColour(swirl->cornerColour[kTopLeft], 1, 1 - t, 0);
            expectColour(slot.outline->cornerColour[kTopLeft], 1, t, 0);
        }
        if (update == 8) {  // clock 184: the swirl's red and outline's blue turn
            const double green = 1 - (172 - 110) / 256.0 * 4.6, u = (184 - 180) / 256.0 * 4.6;
            expectColour(swirl->cornerColour[kBottomLeft], 1 - u, green, 0);
            expectColour(slot.outline->cornerColour[kBottomLeft], 1, 1 - green, u);
        }
    }
    EXPECT_EQ(swells, 30);
    EXPECT_EQ(shrinks, 24);
    EXPECT_EQ(endedOn, 55);
    EXPECT_NEAR(centreOf(swirl).y - first.y, 54 * 0.5, 1e-9);
}

TEST_F(EffectsTest, SmokeIsRedInYellowAbove270PassesOfLifeAndBlackInRedBelow)
{
    auto check = [](auto& pool, double& life, auto update) {
        life = 271;
        const std::vector<SwirlSlot*> early = passUntilStart(pool, update);
        life = 270;
        for (SwirlSlot* s : passUntilStart(pool, update)) {
            expectAllCorners(s->swirl, 0, 0, 0);
            expectAllCorners(s->outline, 1, 0, 0);
        }
        for (SwirlSlot* s : early) {  // a particle keeps the colour it started with
            expectAllCorners(s->swirl, 1, 0, 0);
            expectAllCorners(s->outline, 1, 1, 0);
        }
    };
    for (int p = 0; p < kPlayers; ++p)
        check(tankDebrisSmoke[p][2], tankDebris[p][2].life,
              [p] { updateTankDebrisSmoke(50, 60, kEffectDepth, true, 2, p); });
    check(mothershipDebrisSmoke[4], mothershipDebris[4].life,
          [] { updateMothershipDebrisSmoke(50, 60, kEffectDepth, true, 4); });
}

TEST_F(EffectsTest, AReusedExplosionSlotLeavesTheOldSmokeRunningUntilItIsOut)
{
    SwirlSlot(&emitter)[kSmokeParticles] = alienDebrisSmoke[1][3];
    for (int i = 0; i < 20; ++i)
        updateAlienDebrisSmoke(100, 100, kEffectDepth, true, 1, 3);
    std::vector<SwirlSlot*> old;
    for (SwirlSlot& s : emitter)
        if (s.particle.live)
            old.push_back(&s);
    ASSERT_FALSE(old.empty());
    for (SwirlSlot* s : passUntilStart(emitter, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, true, 1, 3); })) {
        EXPECT_GT(centreOf(s->swirl).x, 450);
        expectAllCorners(s->swirl, 1, 1, 1);  // purple by its own image
    }
    for (SwirlSlot* s : old)
        EXPECT_LT(centreOf(s->swirl).x, 200) << "old smoke jumped to the new explosion";
    for (int pass = 0; pass < 55; ++pass)
        EXPECT_TRUE(startedBy(emitter, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, false, 1, 3); }).empty());
    for (SwirlSlot& s : emitter)
        EXPECT_FALSE(s.particle.live);
}

TEST_F(EffectsTest, ASkidRaisesAtMostTenPuffsCarriedItsWayAndAReusedPuffStartsFromItsLastScale)
{
    int total = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const int direction = seed % 2 ? +1 : -1;
        tank[0].tiltBurstDir = direction;
        std::srand(seed);
        int starts[kDustParticles] = {};
        for (int burst = 80; burst > 0; --burst) {
            const Point2 at = centreOf(skidDust[0][0].swirl);
            const bool out = skidDust[0][0].particle.live;
            for (SwirlSlot* s : startedBy(skidDust[0], [burst] { updateSkidDust(300, 440, kEffectDepth, burst > 40, 0); }))
                ++starts[s - skidDust[0]];
            if (out) {
                EXPECT_NEAR(centreOf(skidDust[0][0].swirl).x - at.x, 1.5 * direction, 1e-9);
                EXPECT_NEAR(centreOf(skidDust[0][0].swirl).y - at.y, -0.75, 1e-9);
            }
        }
        for (int i = 0; i < kDustParticles; ++i) {
            EXPECT_LE(starts[i], 1);
            total += starts[i];
            EXPECT_FALSE(skidDust[0][i].particle.live || skidDust[0][i].outline->visible);
        }
    }
    EXPECT_GT(total, 20 * 4);  // about seven a skid
    for (SwirlSlot& s : skidDust[1])
        EXPECT_FALSE(s.particle.live) << "player 2's dust moved with player 1's skid";

    // Player 2's untouched pool: first puffs start from the builder's scale
    // 0.1, later ones from 0.51, so they land right of and below.
    int puffs[kDustParticles] = {};
    Point2 first[kDustParticles];
    tank[1].tiltBurstDir = +1;
    for (int skid = 0; skid < 50; ++skid)
        for (int burst = 80; burst > 0; --burst)
            for (SwirlSlot* s : startedBy(skidDust[1], [burst] { updateSkidDust(400, 440, kEffectDepth, burst > 40, 1); })) {
                const int i = s - skidDust[1];
                const Point2 at = {s->swirl->x(), s->swirl->y()};
                if (++puffs[i] == 1) {
                    first[i] = at;
                    continue;
                }
                EXPECT_NEAR(at.x - first[i].x, (0.51 - 0.1) * s->swirl->imageWidth / 2, 1e-9);
                EXPECT_NEAR(at.y - first[i].y, (0.51 - 0.1) * s->swirl->imageHeight / 2, 1e-9);
                return;
            }
    FAIL() << "no puff was used twice in 50 skids";
}

}  // namespace
