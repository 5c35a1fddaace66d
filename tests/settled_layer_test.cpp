// Which sprites the settled layer may hold: those that kept their look long
// enough and that nothing left out lies under, or meets at equal depth.
#include "settled_layer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const Sprite* id(int n)
{
    static char places[kLayerSprites];
    return reinterpret_cast<const Sprite*>(&places[n]);
}

LayerSprite at(int n, double z, float x, float y, float size, uint64_t look = 1)
{
    return {id(n), z, x, y, x + size, y + size, look};
}

// Shows the frame `frames` times, the moving sprites a step further each
// time, and returns the last frame's picks.
std::vector<bool> show(std::vector<LayerSprite> frame, std::vector<int> moving, unsigned frames, int* count = nullptr)
{
    bool picked[kLayerSprites] = {};
    int n = 0;
    for (unsigned f = 0; f < frames; ++f) {
        for (int m : moving)
            frame[m].look += 1;
        n = pickSettledSprites(frame.data(), int(frame.size()), true, picked);
    }
    if (count)
        *count = n;
    return n ? std::vector<bool>(picked, picked + frame.size()) : std::vector<bool>(frame.size(), false);
}

TEST(SettledLayerTest, HoldsWhatStaysAndNothingLeftOutLiesUnderOrMeetsIt)
{
    const LayerSprite backdrop = at(0, 0, 0, 0, 640);
    // The moving sprite (2) under the window (1) keeps it out, and so all
    // that lies over the window; the label (3) elsewhere is held.
    std::vector<LayerSprite> frame = {backdrop, at(2, 10, 120, 120, 20), at(1, 50, 100, 100, 100),
                                      at(3, 60, 400, 10, 30), at(4, 70, 150, 150, 10)};
    EXPECT_EQ(show(frame, {1}, kSettledFrames + 1), (std::vector<bool>{true, false, false, true, false}));

    // Movers beside the window leave it in; over the window a nearer mover
    // passes as it would over the window itself.
    frame = {backdrop, at(2, 10, 70, 120, 20), at(5, 10, 120, 70, 20), at(6, 10, 200, 120, 20), at(7, 10, 120, 200, 20),
             at(1, 50, 100, 100, 100), at(4, 60, 150, 150, 20), at(3, 60, 400, 10, 30)};
    const std::vector<int> movers = {1, 2, 3, 4, 6};
    int count = 0;
    EXPECT_EQ(show(frame, movers, kSettledFrames + 1, &count),
              (std::vector<bool>{true, false, false, false, false, true, false, true}));
    EXPECT_FALSE(settledPicksSteady());
    show(frame, movers, kSettledFrames);
    EXPECT_TRUE(settledPicksSteady());
    EXPECT_EQ(settledPicks().count, uint64_t(count));

    // A mover at the window's own depth would be turned away by it on the
    // screen: the window stays out.
    frame = {backdrop, at(1, 50, 100, 100, 100), at(4, 50, 150, 150, 20), at(3, 60, 400, 10, 30)};
    EXPECT_EQ(show(frame, {2}, kSettledFrames + 1), (std::vector<bool>{true, false, false, true}));

    // Nothing is held for a sprite not yet settled, or out of order, or
    // without the backdrop first.
    frame[2].z = 60;
    frame[1].look = 99;
    EXPECT_EQ(show(frame, {}, kSettledFrames), (std::vector<bool>{true, false, false, true}));
    std::vector<LayerSprite> unsorted = {backdrop, at(1, 50, 100, 100, 100), at(3, 40, 400, 10, 30)};
    EXPECT_EQ(show(unsorted, {}, kSettledFrames + 1), std::vector<bool>(3, false));
    unsorted = {at(0, 55, 0, 0, 640), at(1, 50, 700, 100, 20), at(3, 60, 400, 10, 30)};  // the first pair, off screen
    EXPECT_EQ(show(unsorted, {}, kSettledFrames + 1), std::vector<bool>(3, false));
    bool picked[kLayerSprites];
    EXPECT_EQ(pickSettledSprites(frame.data(), int(frame.size()), false, picked), 0);
    EXPECT_EQ(show({at(0, 0, 0, 0, 50), at(3, 60, 400, 10, 30)}, {0}, kSettledFrames + 1), std::vector<bool>(2, false));

    // As many sprites as the layer takes, still, far to near: all held.
    std::vector<LayerSprite> full = {backdrop};
    for (int n = 1; n < kLayerSprites; ++n)
        full.push_back(at(n, n, float(n % 64) * 10, float(n / 64) * 7, 5));
    EXPECT_EQ(show(full, {}, kSettledFrames + 1), std::vector<bool>(kLayerSprites, true));
}

}  // namespace
