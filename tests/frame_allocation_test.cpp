// The frame pass allocates nothing: drawing, paused passes, and every
// playing pass in which no text (score, lives, banner) is re-made.
#include "game_harness.h"

#include "alloc_counter.h"
#include "display.h"
#include "pause.h"

#include <gtest/gtest.h>

namespace {

// What a pass can re-make as text, as a fingerprint to compare.
std::vector<const void*> textState()
{
    return {reinterpret_cast<const void*>(uintptr_t(tank[0].score)), reinterpret_cast<const void*>(uintptr_t(tank[1].score)),
            reinterpret_cast<const void*>(intptr_t(level)), livesDigitSprite, endBanner, levelBannerSprite};
}

TEST(FrameAllocationTest, DrawingABusySceneAndPlayingPassesWithoutTextChangesAllocateNothing)
{
    setUpBusyScene();
    const Keys keys[3] = {Keys{SDLK_SPACE, SDLK_LCTRL, SDLK_LEFT, SDLK_d}, Keys{SDLK_RIGHT, SDLK_a},
                          Keys{SDLK_SPACE, SDLK_LEFT, SDLK_LCTRL}};
    // Let the driver settle its buffers, those of the frame and the window's.
    for (int i = 0; i < 10; ++i) {
        renderFrame();
        runPasses(1, keys[0], true);
    }
    pauseGame();
    EXPECT_EQ(allocationsDuring([&] { runPasses(20, keys[0], true); }), 0) << "paused";
    resumeGame();
    long drawing = 0;
    int quietPasses = 0;
    for (int pass = 0; pass < 3000; ++pass) {
        if (pass % 150 == 0)
            rearmBusyScene();
        if (pass < 30)
            drawing += allocationsDuring([] { renderFrame(); });
        const std::vector<const void*> before = textState();
        const bool playing = !menuActive && !gameOver && roundPause == -1;
        const long count = allocationsDuring([&] { runPasses(1, keys[(pass / 40) % 3]); });
        if (playing && textState() == before) {
            ++quietPasses;
            ASSERT_EQ(count, 0) << "pass " << pass;
        }
    }
    EXPECT_EQ(drawing, 0);
    EXPECT_GT(quietPasses, 1000);
}

}  // namespace
