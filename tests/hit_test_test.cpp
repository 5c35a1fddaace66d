// The crossing-parity corner tests on boxes, reversed boxes and the tank's
// self-crossing outline.
#include "hit_test.h"

#include <gtest/gtest.h>

namespace {

Quad box(double x0, double y0, double x1, double y1)
{
    return {{x0, x1, x1, x0}, {y0, y0, y1, y1}};
}

Quad point(double x, double y)
{
    return {{x, x, x, x}, {y, y, y, y}};
}

TEST(HitTest, EdgesOfABoxFallOneDefiniteWay)
{
    const Quad q = box(0, 0, 10, 10);
    EXPECT_TRUE(quadContainsPoint(q, point(5, 5)));
    EXPECT_FALSE(quadContainsPoint(q, point(15, 5)));
    EXPECT_FALSE(quadContainsPoint(q, point(-1, 5)));
    // Top and both sides count as inside, the bottom as outside.
    EXPECT_TRUE(quadContainsPoint(q, point(0, 5)));
    EXPECT_TRUE(quadContainsPoint(q, point(10, 5)));
    EXPECT_TRUE(quadContainsPoint(q, point(5, 0)));
    EXPECT_FALSE(quadContainsPoint(q, point(5, 10)));
    EXPECT_TRUE(quadContainsPoint(q, point(0, 0)));
    EXPECT_TRUE(quadContainsPoint(q, point(10, 0)));
    EXPECT_FALSE(quadContainsPoint(q, point(10, 10)));
    EXPECT_FALSE(quadContainsPoint(q, point(0, 10)));
}

TEST(HitTest, CornersGivenTheOtherWayRoundExcludeTheSides)
{
    const Quad q = {{0, 0, 10, 10}, {0, 10, 10, 0}};
    EXPECT_TRUE(quadContainsPoint(q, point(5, 5)));
    EXPECT_FALSE(quadContainsPoint(q, point(0, 5)));
    EXPECT_FALSE(quadContainsPoint(q, point(10, 5)));
}

TEST(HitTest, OnlyTheFirstCornerCountsForThePointTest)
{
    const Quad q = box(0, 0, 10, 10);
    const Quad p = {{20, 5, 5, 5}, {20, 5, 5, 5}};
    EXPECT_FALSE(quadContainsPoint(q, p));
    EXPECT_TRUE(quadContainsCorner(q, p));
}

TEST(HitTest, CornerTestFindsAnyCornerButNotContainment)
{
    const Quad q = box(0, 0, 10, 10);
    // Only corner 3 of this box lies inside q.
    const Quad lastCorner = {{20, 30, 30, 5}, {20, 20, 30, 5}};
    EXPECT_TRUE(quadContainsCorner(q, lastCorner));
    const Quad small = box(4, 4, 6, 6);
    const Quad large = box(-50, -50, 50, 50);
    EXPECT_FALSE(quadContainsCorner(small, large));
    EXPECT_TRUE(quadContainsCorner(large, small));
}

// The tank outline's corners are ordered so that two edges cross: it covers
// a small triangle under the top edge and a larger one over the bottom edge.
TEST(HitTest, TheSelfCrossingTankOutlineIsTwoTriangles)
{
    const double x = 100;
    const Quad tank = {{x + 15, x + 33, x, x + 44}, {436, 436, 465, 465}};
    EXPECT_TRUE(quadContainsXY(tank, x + 24, 438));   // small upper triangle
    EXPECT_TRUE(quadContainsXY(tank, x + 22, 460));   // larger lower triangle
    EXPECT_TRUE(quadContainsXY(tank, x + 40, 464));
    EXPECT_FALSE(quadContainsXY(tank, x + 16, 446));  // beside the waist
    EXPECT_FALSE(quadContainsXY(tank, x + 31, 446));
    EXPECT_FALSE(quadContainsXY(tank, x + 2, 440));
    EXPECT_FALSE(quadContainsXY(tank, x + 22, 470));
}

}  // namespace
