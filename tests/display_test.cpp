// The frame pass: pacing (also across the tick counter's wrap) and the
// event poll. The frame allocation test counts what drawing allocates.
#include "display.h"

#include "test_display.h"

#include <gtest/gtest.h>

namespace {

int escapes = 0;

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

TEST(DisplayTest, QuitAndEscapeInOnePollBothCount)
{
    ensureDisplay();
    setEscapeHandler([] { ++escapes; });
    SDL_Event escape = {}, space = {}, quit = {};
    escape.type = space.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    space.key.keysym.sym = SDLK_SPACE;
    quit.type = SDL_QUIT;
    for (SDL_Event* e : {&escape, &escape, &space, &quit})
        SDL_PushEvent(e);
    EXPECT_TRUE(pollEvents());
    EXPECT_EQ(escapes, 2);
    EXPECT_FALSE(pollEvents());
    setEscapeHandler(nullptr);
}

}  // namespace
