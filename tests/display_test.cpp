// The frame pass: pacing, also across the tick counter's wrap, and the quit
// signals, which the event poll reports as a quit. The frame allocation test
// counts what drawing allocates.
#include "display.h"

#include "test_display.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Each in a child of its own, which the signal must not kill: the event
// poll after it reports a quit, as it does for a closed window. First in the
// file, so that no display of the parent's is up beside the children's.
TEST(DisplayTest, TermIntAndHangUpSignalsAreQuitRequests)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_EXIT({ ensureDisplay(); std::raise(signal); std::_Exit(pollEvents() ? 0 : 1); }, ::testing::ExitedWithCode(0), "") << signal;
}

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
