// The crossing-parity tests on a box, a box given the other way round, and
// the tank's self-crossing outline; on an edge a point falls one definite way.
#include "hit_test.h"

#include <gtest/gtest.h>

namespace {

TEST(HitTest, PointsOnEdgesAndCornersFallOneDefiniteWay)
{
    const Quad box = {{0, 10, 10, 0}, {0, 0, 10, 10}}, reversed = {{0, 0, 10, 10}, {0, 10, 10, 0}};
    // The outline of a tank at x 100: a small triangle on top, a larger one below.
    const double x = 100;
    const Quad tank = {{115, 133, 100, 144}, {436, 436, 465, 465}};
    struct Case {
        const Quad* q;
        double px, py;
        bool inside;
    };
    const Case cases[] = {
        {&box, 5, 5, true},       {&box, 15, 5, false},     {&box, -1, 5, false},     {&box, 0, 5, true},
        {&box, 10, 5, true},      {&box, 5, 0, true},       {&box, 5, 10, false},     {&box, 10, 0, true},
        {&box, 10, 10, false},    {&reversed, 5, 5, true},  {&reversed, 0, 5, false}, {&reversed, 10, 5, false},
        {&tank, x + 24, 438, true}, {&tank, x + 22, 460, true}, {&tank, x + 40, 464, true},
        {&tank, x + 16, 446, false}, {&tank, x + 31, 446, false}, {&tank, x + 22, 470, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quadContainsXY(*c.q, c.px, c.py), c.inside) << c.px << "," << c.py;

    // The corner test tries every corner, not the first alone.
    const Quad firstOut = {{20, 5, 5, 5}, {20, 5, 5, 5}}, lastIn = {{20, 30, 30, 5}, {20, 20, 30, 5}};
    EXPECT_TRUE(quadContainsCorner(box, firstOut));
    EXPECT_TRUE(quadContainsCorner(box, lastIn));
    const Quad small = {{4, 6, 6, 4}, {4, 4, 6, 6}}, large = {{-50, 50, 50, -50}, {-50, -50, 50, 50}};
    EXPECT_FALSE(quadContainsCorner(small, large)) << "containment is no corner inside";
    EXPECT_TRUE(quadContainsCorner(large, small));
}

}  // namespace
