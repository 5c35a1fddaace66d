// Debris: the kicks, throws and spins it is launched with span exactly
// their ranges.
#include "game_harness.h"

#include "debris_smoke.h"

#include <gtest/gtest.h>

#include <set>

namespace {

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
