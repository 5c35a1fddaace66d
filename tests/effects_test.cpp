// The effect pools: how they are built, a swirl's life and colours, the
// start rules, the smoke's colours and reuse, the skid dust, and passes that
// allocate nothing. The pools are built once per process, from the built
// media, with a fixed seed; each test lets the pool it uses run down first.
#include "bullet_trail.h"
#include "debris_smoke.h"
#include "effect_pools.h"
#include "skid_dust.h"

#include "alloc_counter.h"
#include "sprite.h"
#include "test_display.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr unsigned kBuildSeed = 1234;
constexpr int kParticleCount = 2 * 60 + 2 * 10 + 300 + 150 + 750;
constexpr int kSpriteCount = 2 * kParticleCount - 750;  // alien smoke has no outline

int spritesAfterBuild = 0;
int randAfterBuild = 0;
std::vector<SwirlSlot*> everySlot;

// Every slot of a pool array of any rank (its slots lie side by side).
template <class Pools>
void collect(Pools& pools)
{
    SwirlSlot* first = reinterpret_cast<SwirlSlot*>(&pools);
    for (size_t i = 0; i < sizeof pools / sizeof(SwirlSlot); ++i)
        everySlot.push_back(first + i);
}

void buildEveryPool()
{
    ensureDisplay();
    std::srand(kBuildSeed);
    buildEffectPools();
    randAfterBuild = std::rand();
    for (Sprite* s = sceneHead; s; s = s->next)
        ++spritesAfterBuild;
    collect(bulletTrail);
    collect(skidDust);
    collect(tankDebrisSmoke);
    collect(mothershipDebrisSmoke);
    collect(alienDebrisSmoke);
}

struct Point2 {
    double x, y;
};

Point2 centreOf(const Sprite* s)
{
    return {s->x() + s->scaledWidth() / 2, s->y() + s->scaledHeight() / 2};
}

// The value rand() gives after `skip` draws from a fresh seed.
int nthDraw(unsigned seed, int skip)
{
    std::srand(seed);
    for (int i = 0; i < skip; ++i)
        std::rand();
    return std::rand();
}

template <int N>
int liveCount(const SwirlSlot (&pool)[N])
{
    return int(std::count_if(pool, pool + N, [](const SwirlSlot& s) { return s.particle.live; }));
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

// Every swirl is idle within 55 passes once nothing starts.
void settleTrail(int player)
{
    for (int i = 0; i < 60; ++i)
        updateBulletTrail(0, 0, kEffectDepth, false, player);
}

// Runs one pass of a pool; returns the particles that started in it.
template <int N, class Update>
std::vector<SwirlSlot*> startedBy(SwirlSlot (&pool)[N], Update update)
{
    std::vector<bool> wasLive;
    for (SwirlSlot& s : pool)
        wasLive.push_back(s.particle.live);
    update();
    std::vector<SwirlSlot*> started;
    for (int i = 0; i < N; ++i)
        if (!wasLive[i] && pool[i].particle.live)
            started.push_back(&pool[i]);
    return started;
}

// Runs passes until at least one particle starts.
template <int N, class Update>
std::vector<SwirlSlot*> passUntilStart(SwirlSlot (&pool)[N], Update update)
{
    for (int pass = 0; pass < 1000; ++pass) {
        std::vector<SwirlSlot*> started = startedBy(pool, update);
        if (!started.empty())
            return started;
    }
    ADD_FAILURE() << "nothing started in 1000 passes";
    return {};
}

class EffectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { buildEveryPool(); }
};

TEST_F(EffectsTest, BuildingParksEveryParticleHiddenWithASharedRandomSpin)
{
    EXPECT_EQ(spritesAfterBuild, kSpriteCount);
    // Three draws per particle and no others keep a seeded run reproducible.
    EXPECT_EQ(randAfterBuild, nthDraw(kBuildSeed, 3 * kParticleCount));

    int clockwise = 0;
    for (SwirlSlot* slot : everySlot) {
        EXPECT_FALSE(slot->particle.live);
        const double steps = slot->particle.drift * 2.5 + 3;  // 0..5
        EXPECT_TRUE(steps > -1e-9 && steps < 5 + 1e-9 && std::fabs(steps - std::round(steps)) < 1e-9);
        const double speed = std::fabs(slot->swirl->textureSpin);
        EXPECT_TRUE(speed >= 8.0 && speed <= 8.39 + 1e-9) << speed;
        clockwise += slot->swirl->textureSpin > 0;
        for (Sprite* s : {slot->swirl, slot->outline}) {
            if (!s)
                continue;
            EXPECT_EQ(s->visible, 0);
            EXPECT_EQ(s->scaleX(), 0.1);
            EXPECT_EQ(s->textureSpin, slot->swirl->textureSpin);
        }
    }
    EXPECT_NEAR(double(clockwise) / kParticleCount, 0.3, 0.05);
    expectAllCorners(skidDust[1][9].swirl, 0.5, 0.4, 0.2);
    expectAllCorners(skidDust[1][9].outline, 1.0, 1.0, 0.0);
    // One purple image for all five pieces, not one per builder call.
    EXPECT_EQ(alienDebrisSmoke[0][0][0].swirl->textureName, purpleSwirlTexture->textureName);
}

TEST_F(EffectsTest, ATrailSwirlsLifeAndColours)
{
    settleTrail(1);
    std::vector<double> scaleBefore;
    for (SwirlSlot& s : bulletTrail[1])
        scaleBefore.push_back(s.swirl->scaleX());
    auto flying = [] { updateBulletTrail(200, 300, kEffectDepth, true, 1); };
    auto landed = [] { updateBulletTrail(200, 300, kEffectDepth, false, 1); };
    const std::vector<SwirlSlot*> started = passUntilStart(bulletTrail[1], flying);
    ASSERT_FALSE(started.empty());
    SwirlSlot& slot = *started.front();
    Sprite* swirl = slot.swirl;

    // Started this pass and already moved: placed at the shot plus (2, 7)
    // at its old scale, scaled to 0.1 about that centre, swollen to 0.11
    // and sunk half a pixel; clock 100 makes the left edge yellow in red.
    const double before = scaleBefore[&slot - bulletTrail[1]];
    const Point2 first = centreOf(swirl);
    EXPECT_NEAR(first.x, 202 + before * swirl->imageWidth / 2, 1e-9);
    EXPECT_NEAR(first.y, 307 + before * swirl->imageHeight / 2 + 0.5, 1e-9);
    EXPECT_NEAR(swirl->scaleX(), 0.11, 1e-12);
    EXPECT_NEAR(slot.outline->scaleX(), 0.11, 1e-12);
    EXPECT_EQ(swirl->visible, 1);
    expectColour(swirl->cornerColour[kTopLeft], 1, 1, 0);
    expectColour(slot.outline->cornerColour[kBottomLeft], 1, 0, 0);

    int swells = 1, shrinks = 0, endedOn = 0;
    for (int update = 2; update <= 60 && !endedOn; ++update) {
        const double scale = swirl->scaleX();
        const double alpha = slot.outline->alpha();
        const Point2 at = centreOf(swirl);
        landed();  // a swirl that is out finishes its course
        if (!slot.particle.live) {
            endedOn = update;
            EXPECT_EQ(slot.outline->visible, 0);
        } else if (swirl->scaleX() > scale) {
            ++swells;
        } else {
            ++shrinks;
            EXPECT_NEAR(centreOf(swirl).x - at.x, slot.particle.drift, 1e-9);
            EXPECT_NEAR(slot.outline->alpha(), alpha - 0.05, 1e-12);
        }
        if (update == 3) {  // clock 124: the greens turn, measured from 110
            const double t = (124 - 110) / 256.0 * 4.6;
            expectColour(swirl->cornerColour[kTopLeft], 1, 1 - t, 0);
            expectColour(slot.outline->cornerColour[kTopLeft], 1, t, 0);
        }
        if (update == 8) {  // clock 184: the swirl's red and outline's blue turn
            const double green = 1 - (172 - 110) / 256.0 * 4.6;
            const double u = (184 - 180) / 256.0 * 4.6;
            expectColour(swirl->cornerColour[kBottomLeft], 1 - u, green, 0);
            expectColour(slot.outline->cornerColour[kBottomLeft], 1, 1 - green, u);
        }
    }
    EXPECT_EQ(swells, 30);
    EXPECT_EQ(shrinks, 24);
    EXPECT_EQ(endedOn, 55);
    EXPECT_NEAR(centreOf(swirl).y - first.y, 54 * 0.5, 1e-9);
}

TEST_F(EffectsTest, TrailStartRules)
{
    // Inactive: nothing starts, what is out runs its course, and the start
    // roll is still drawn for every idle swirl, so the sequence stays the same.
    settleTrail(0);
    for (int i = 0; i < 20; ++i)
        updateBulletTrail(100, 100, kEffectDepth, true, 0);
    ASSERT_GT(liveCount(bulletTrail[0]), 0);
    for (unsigned pass = 0; pass < 55; ++pass) {
        const int live = liveCount(bulletTrail[0]);
        std::srand(99 + pass);
        EXPECT_TRUE(startedBy(bulletTrail[0], [] { updateBulletTrail(100, 100, kEffectDepth, false, 0); }).empty());
        const int next = std::rand();
        EXPECT_EQ(next, nthDraw(99 + pass, kTrailParticles - live));
    }
    EXPECT_EQ(liveCount(bulletTrail[0]), 0);

    // Full: with all 60 out no roll is drawn and no swirl restarts at the shot.
    for (SwirlSlot& s : bulletTrail[0])
        startSwirl(s, 500, 50, kEffectDepth);
    std::srand(7);
    updateBulletTrail(100, 400, kEffectDepth, true, 0);
    const int next = std::rand();
    EXPECT_EQ(next, nthDraw(7, 0));
    for (SwirlSlot& s : bulletTrail[0])
        EXPECT_GT(centreOf(s.swirl).x, 450);
    settleTrail(0);
}

TEST_F(EffectsTest, SmokeColourFollowsTheLifeOfItsPieceWhenItStarts)
{
    // Above 270 passes of life a new particle is red in a yellow outline,
    // from 270 down black in a red one.
    auto check = [](auto& pool, double& life, auto update) {
        life = 271;
        const std::vector<SwirlSlot*> early = passUntilStart(pool, update);
        life = 270;
        for (SwirlSlot* s : passUntilStart(pool, update)) {
            expectAllCorners(s->swirl, 0, 0, 0);
            expectAllCorners(s->outline, 1, 0, 0);
        }
        for (SwirlSlot* s : early) {  // checked last: a particle keeps the colour it started with
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
    SwirlSlot (&emitter)[kSmokeParticles] = alienDebrisSmoke[1][3];
    for (int i = 0; i < 20; ++i)
        updateAlienDebrisSmoke(100, 100, kEffectDepth, true, 1, 3);
    std::vector<SwirlSlot*> old;
    for (SwirlSlot& s : emitter)
        if (s.particle.live)
            old.push_back(&s);
    ASSERT_FALSE(old.empty());

    // The slot's pieces are thrown again from the other side of the screen.
    for (SwirlSlot* s : passUntilStart(emitter, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, true, 1, 3); })) {
        EXPECT_GT(centreOf(s->swirl).x, 450);
        expectAllCorners(s->swirl, 1, 1, 1);  // purple by its own image
    }
    for (SwirlSlot* s : old)
        EXPECT_LT(centreOf(s->swirl).x, 200) << "old smoke jumped to the new explosion";

    // Once the piece's life is down to 250 nothing starts and the rest runs out.
    for (int pass = 0; pass < 55; ++pass)
        EXPECT_TRUE(startedBy(emitter, [] { updateAlienDebrisSmoke(500, 300, kEffectDepth, false, 1, 3); }).empty());
    EXPECT_EQ(liveCount(emitter), 0);
}

TEST_F(EffectsTest, ASkidRaisesAtMostTenPuffsCarriedItsWayAndLeavesNoneBehind)
{
    int total = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const int direction = seed % 2 ? +1 : -1;
        tank[0].tiltBurstDir = direction;
        std::srand(seed);
        std::vector<int> starts(kDustParticles, 0);
        for (int burst = 80; burst > 0; --burst) {
            Point2 at[kDustParticles];
            bool out[kDustParticles];
            for (int i = 0; i < kDustParticles; ++i) {
                at[i] = centreOf(skidDust[0][i].swirl);
                out[i] = skidDust[0][i].particle.live;
            }
            auto pass = [burst] { updateSkidDust(300, 440, kEffectDepth, burst > 40, 0); };
            for (SwirlSlot* s : startedBy(skidDust[0], pass))
                ++starts[s - skidDust[0]];
            for (int i = 0; i < kDustParticles; ++i) {
                const Point2 now = centreOf(skidDust[0][i].swirl);
                if (out[i]) {
                    EXPECT_NEAR(now.x - at[i].x, 1.5 * direction, 1e-9);
                    EXPECT_NEAR(now.y - at[i].y, -0.75, 1e-9);
                }
            }
        }
        for (int i = 0; i < kDustParticles; ++i) {
            EXPECT_LE(starts[i], 1);
            total += starts[i];
            EXPECT_FALSE(skidDust[0][i].particle.live);
            EXPECT_EQ(skidDust[0][i].outline->visible, 0);
        }
    }
    EXPECT_GT(total, 20 * 4);  // about seven a skid
    EXPECT_EQ(liveCount(skidDust[1]), 0) << "player 2's dust moved with player 1's skid";
}

TEST_F(EffectsTest, AReusedPuffStartsRightOfAndBelowAFirstPuff)
{
    // Player 2's pool, which no earlier test touches, so its first puffs
    // start from the builder's scale 0.1 and later ones from 0.51.
    std::vector<int> puffs(kDustParticles, 0);
    std::vector<Point2> first(kDustParticles);
    tank[1].tiltBurstDir = +1;
    for (int skid = 0; skid < 50; ++skid) {
        for (int burst = 80; burst > 0; --burst) {
            auto pass = [burst] { updateSkidDust(400, 440, kEffectDepth, burst > 40, 1); };
            for (SwirlSlot* s : startedBy(skidDust[1], pass)) {
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
        }
    }
    FAIL() << "no puff was used twice in 50 skids";
}

TEST_F(EffectsTest, AThousandBusyPassesAllocateNothing)
{
    for (int p = 0; p < kPlayers; ++p) {
        tank[p].tiltBurstDir = p ? -1 : +1;
        for (DebrisPiece& piece : tankDebris[p])
            piece.life = 280;
    }
    const long allocations = allocationsDuring([] {
        for (int pass = 0; pass < 1000; ++pass) {
            for (int p = 0; p < kPlayers; ++p) {
                updateBulletTrail(100 + p, 300, kEffectDepth, true, p);
                updateSkidDust(200, 440, kEffectDepth, true, p);
            }
            for (int i = 0; i < kDebrisPieces; ++i) {
                for (int p = 0; p < kPlayers; ++p)
                    updateTankDebrisSmoke(300, 200, kEffectDepth, true, i, p);
                updateMothershipDebrisSmoke(300, 50, kEffectDepth, true, i);
                for (int s = 0; s < kExplosionSlots; ++s)
                    updateAlienDebrisSmoke(400, 200, kEffectDepth, true, i, s);
            }
        }
    });
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(liveCount(bulletTrail[0]) + liveCount(alienDebrisSmoke[4][4]), 0);
}

}  // namespace
