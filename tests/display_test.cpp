// The frame pass: pacing, also across the tick counter's wrap. The frame
// allocation test counts what drawing allocates.
#include "display.h"

#include "test_display.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayTest, FramesAreAtLeast15msApartButALateOneDoesNotWait)
{
    ensureDisplay();
    renderFrame();
    for (int i = 0; i < 8; ++i) {
        const Uint32 previous = lastFrameTick;
        renderFrame();
        EXPECT_GE(lastFrameTick - previous, kFramePeriodMs);
    }
    SDL_Delay(40);
    Uint32 before = SDL_GetTicks();
    waitForFrameTime();
    EXPECT_LT(lastFrameTick - before, kFramePeriodMs) << "no wait for a frame that is already late";
    // Stamped "in the future" as just before the counter wraps: 15 ms, not 49 days.
    lastFrameTick = SDL_GetTicks() - 5u;
    before = SDL_GetTicks();
    waitForFrameTime();
    EXPECT_LE(SDL_GetTicks() - before, 20u);
}

}  // namespace
