// Driving: a tank's speed, lean and skid as it accelerates, coasts,
// reverses and meets each edge, and two tanks bumping, in real passes.
#include "game_harness.h"

#include "keys.h"

#include <gtest/gtest.h>

namespace {

constexpr double kFullSpeed = 2.0;
constexpr double kSpeedStep = 0.125;
constexpr double kFriction = 0.03125;
constexpr double kFullLean = 8.0;
constexpr double kLeftEdge = 80.0, kRightEdge = 507.0;

const Keys kLeft{SDLK_LEFT}, kRight{SDLK_RIGHT};

TEST(TankTest, HeldKeysTakeTheTankToFullSpeedAndLeanInFixedSteps)
{
    for (const auto& [keys, sign] : {std::pair{kLeft, -1.0}, {kRight, 1.0}, {Keys{SDLK_LEFT, SDLK_RIGHT}, -1.0}}) {
        startClearRound(1);
        const double startX = tank[0].x;
        double travelled = 0.0;
        for (int pass = 1; pass <= 16; ++pass) {
            runPasses(1, keys);
            travelled += kSpeedStep * pass;
            EXPECT_EQ(tank[0].vx, sign * kSpeedStep * pass) << "pass " << pass;
            EXPECT_EQ(tank[0].tilt, -sign * std::min(2.0 * pass, kFullLean)) << "pass " << pass;
        }
        runPasses(1, keys);
        EXPECT_EQ(tank[0].vx, sign * kFullSpeed) << "no faster than full speed";
        EXPECT_EQ(tank[0].x, startX + sign * (travelled + kFullSpeed));
        EXPECT_EQ(tank[0].tiltBurst, 0.0) << "speeding up is no skid";
    }
}

TEST(TankTest, ReleasedAtFullSpeedItRollsToRestIn64PassesAndStandsUp)
{
    startClearRound(1);
    runPasses(20, kRight);
    ASSERT_EQ(tank[0].vx, kFullSpeed);
    runPasses(63);
    EXPECT_EQ(tank[0].vx, kFriction) << "one step of friction left";
    runPasses(1);
    EXPECT_EQ(tank[0].vx, 0.0);
    EXPECT_EQ(tank[0].tilt, 0.0) << "the lean has sprung back and come to rest";
    EXPECT_EQ(tank[0].tiltVel, 0.0);
    const double restX = tank[0].x;
    runPasses(10);
    EXPECT_EQ(tank[0].x, restX);
}

TEST(TankTest, ReversingAtSpeedStartsOneSkidTheWayItWasGoing)
{
    for (const auto& [first, then, direction] : {std::tuple{kRight, kLeft, 1}, {kLeft, kRight, -1}}) {
        startClearRound(1);
        runPasses(20, first);
        runPasses(1, then);
        EXPECT_EQ(std::abs(tank[0].vx), kFullSpeed - kSpeedStep);
        EXPECT_EQ(tank[0].tiltBurst, 80.0 - 1.0) << "started, then one pass of its decay";
        EXPECT_EQ(tank[0].tiltBurstDir, direction);
        runPasses(1, then);
        EXPECT_EQ(tank[0].tiltBurst, 80.0 - 2.0) << "no second skid while one runs";
    }
}

TEST(TankTest, EachEdgeStopsTheTankDeadWhileTheKeyIsHeld)
{
    for (const auto& [keys, edge] : {std::pair{kLeft, kLeftEdge}, {kRight, kRightEdge}}) {
        startClearRound(1);
        runPasses(400, keys);
        EXPECT_EQ(tank[0].x, edge);
        EXPECT_EQ(tank[0].vx, 0.0);
    }
    // Rolling exactly onto an edge is not past it: the tank keeps its speed.
    for (const auto& [edge, sign] : {std::pair{kLeftEdge, -1.0}, {kRightEdge, 1.0}}) {
        startClearRound(1);
        tank[0].x = float(edge - sign * (1.0 - kFriction));
        tank[0].vx = float(sign);
        runPasses(1);
        EXPECT_EQ(tank[0].x, edge);
        EXPECT_EQ(tank[0].vx, sign * (1.0 - kFriction));
    }
}

// The outline flares and shields are tested against: two crossing edges,
// (x + 15, 436) to (x + 33, 436) and (x, 465) to (x + 44, 465).
TEST(TankTest, TheOutlineFollowsTheTank)
{
    startClearRound(1);
    tank[0].x = 100.0f;
    placeTankParts(0);
    const Quad& o = tank[0].outline;
    EXPECT_EQ(std::vector<double>(o.x, o.x + 4), (std::vector<double>{115, 133, 100, 144}));
    EXPECT_EQ(std::vector<double>(o.y, o.y + 4), (std::vector<double>{436, 436, 465, 465}));
}

// Wheel covers edge to edge, driving at each other: the pass undoes their
// moves, swaps the speeds and parts them, before friction.
TEST(TankTest, TouchingTanksSwapSpeedsAndPart)
{
    for (const auto& [gap, sign] : {std::pair{0.0, 1.0}, {1.0, -1.0}}) {
        SCOPED_TRACE(gap == 0.0 ? "touching" : "a pixel apart");
        startClearRound(2);
        const double width = tank[1].tankWheelsSprite->scaledWidth();
        tank[1].x = 200.0;
        tank[0].x = float(200.0 + width + gap);
        placeTankParts(0);
        placeTankParts(1);
        tank[0].vx = float(-kFullSpeed);
        tank[1].vx = float(kFullSpeed);
        const double x0 = tank[0].x, x1 = tank[1].x;
        runPasses(1);
        EXPECT_EQ(tank[0].vx, sign * (kFullSpeed - kFriction)) << "swapped when touching, else kept";
        EXPECT_EQ(tank[1].vx, -sign * (kFullSpeed - kFriction));
        if (gap == 0.0) {
            EXPECT_EQ(tank[0].x, x0 + kFullSpeed + kFullSpeed + (kFullSpeed - kFriction));
            EXPECT_EQ(tank[1].x, x1 - kFullSpeed - kFullSpeed - (kFullSpeed - kFriction));
        }
    }
}

// The title menu as loaded shows player 1's tank as built, whatever it did
// in the game before: each part's place and turn.
TEST(TankTest, TheTitleMenuAsLoadedShowsTheTankAsBuilt)
{
    const auto parts = [] {
        const TankState& t = tank[0];
        std::vector<double> v;
        for (const Sprite* s : {t.tankWheelsSprite, t.tankBodySprite, t.tankBridgeSprite, t.tankCannonSprite})
            v.insert(v.end(), {s->x(), s->y(), s->rotation()});
        for (const Sprite* wheel : t.tankWheelSprite)
            v.insert(v.end(), {wheel->x(), wheel->y(), wheel->rotation()});
        return v;
    };
    returnToTitleMenu();
    const std::vector<double> built = parts();
    startClearRound(1);
    runPasses(50, kRight);
    returnToTitleMenu();
    EXPECT_EQ(parts(), built);
}

}  // namespace
