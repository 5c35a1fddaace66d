// The frame pass allocates nothing: drawing a busy scene, and every playing
// pass in which no text changes (texts are the only things re-made during
// play: scores, the lives digit, banners).
#include "game_harness.h"

#include "alloc_counter.h"
#include "display.h"
#include "game_state.h"
#include "main_loop.h"
#include "scene.h"

#include <gtest/gtest.h>

namespace {

class FrameAllocationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startGameHarness(); }
};

// What a pass can re-make as text, as a fingerprint to compare.
struct TextState {
    uint32_t scores[2];
    int32_t level;
    Sprite* livesDigit;
    Sprite* banner;
    Sprite* levelBanner;
    bool operator==(const TextState& o) const
    {
        return scores[0] == o.scores[0] && scores[1] == o.scores[1] && level == o.level &&
               livesDigit == o.livesDigit && banner == o.banner && levelBanner == o.levelBanner;
    }
};

TextState textState()
{
    return {{tank[0].score, tank[1].score}, level, livesDigitSprite, endBanner, levelBannerSprite};
}

TEST_F(FrameAllocationTest, DrawingABusySceneAllocatesNothing)
{
    setUpBusyScene();
    const Keys keys{SDLK_SPACE, SDLK_LCTRL};
    for (int i = 0; i < 10; ++i) {
        renderFrame();
        runPasses(1, keys);
    }
    // The passes in between may change texts; only the drawing is counted.
    long drawing = 0;
    for (int i = 0; i < 30; ++i) {
        drawing += allocationsDuring([] { renderFrame(); });
        runPasses(1, keys);
    }
    EXPECT_EQ(drawing, 0);
}

TEST_F(FrameAllocationTest, PlayingPassesWithoutTextChangesAllocateNothing)
{
    setUpBusyScene(11);
    const Keys keys[3] = {Keys{SDLK_SPACE, SDLK_LCTRL, SDLK_LEFT, SDLK_d}, Keys{SDLK_RIGHT, SDLK_a},
                          Keys{SDLK_SPACE, SDLK_LEFT, SDLK_LCTRL}};
    int quietPasses = 0;
    for (int pass = 0; pass < 3000; ++pass) {
        if (pass % 150 == 0)
            rearmBusyScene();
        const TextState before = textState();
        const bool playing = !menuActive && !gameOver && roundPause == -1;
        const long count = allocationsDuring([&] { runPasses(1, keys[(pass / 40) % 3]); });
        if (playing && textState() == before) {
            ++quietPasses;
            ASSERT_EQ(count, 0) << "pass " << pass;
        }
    }
    EXPECT_GT(quietPasses, 1000);
}

}  // namespace
