// The loading screen as it is drawn, frame by frame: the cover alone, its
// texts fading in, then everything fading out onto the title menu.
#include "display.h"
#include "frame_watch.h"
#include "presentation.h"
#include "startup.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Every fourth pixel of each row and column is enough to see a fade.
constexpr int kStride = 4;
using Frame = std::vector<uint8_t>;
std::vector<Frame> shown;

void keepFrame()
{
    const Frame all = readFrame();
    Frame sampled;
    for (int y = 0; y < kScreenHeight; y += kStride)
        for (int x = 0; x < kScreenWidth; x += kStride)
            for (int c = 0; c < 3; ++c)
                sampled.push_back(all[(size_t(y) * kScreenWidth + x) * 4 + c]);
    shown.push_back(sampled);
}

long difference(const Frame& a, const Frame& b)
{
    long sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(int(a[i]) - int(b[i]));
    return sum;
}

// The fades take one frame after another: the texts are barely there in the
// first frame of theirs, and only a trace of the cover is left in the last
// frame before the title menu's own. The start-up opens the display itself,
// so this is the binary's only test; with the smooth filter at 640 x 480 it
// draws straight into the window, each frame swapped.
TEST(LoadingScreenTest, TheTextsFadeInOverTheCoverThenAllFadesOutOntoTheTitle)
{
    presentationChoice.filter = ScaleFilter::kSmooth;
    beforeSwap = keepFrame;
    runStartupSequence();
    renderFrame();
    beforeSwap = nullptr;
    // The cover alone, the texts' fade-in, the fade-out, and the title.
    const int fadeFrames = (int(shown.size()) - 2) / 2;
    ASSERT_GT(fadeFrames, 10);
    const Frame& cover = shown.front();
    const Frame& textsUp = shown[fadeFrames];
    const Frame& title = shown.back();
    EXPECT_LT(difference(shown[1], cover) * 20, difference(textsUp, cover)) << "the texts' first frame";
    EXPECT_LT(difference(shown[shown.size() - 2], title) * 20, difference(textsUp, title)) << "the last loading frame";
}

}  // namespace
