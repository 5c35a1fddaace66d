// The frame pass: pacing (also across the tick counter's wrap), the event
// poll, and the allocation-free drawing of a scene the size of the game's.
#include "display.h"

#include "alloc_counter.h"
#include "sprite.h"
#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
    EXPECT_LE(lastFrameTick - before, 1u);
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

// About two thousand sprites, most of them hidden, as in the built game.
TEST(DisplayTest, DrawingTwoThousandSpritesAllocatesNothing)
{
    ensureDisplay();
    const std::string path = scratchDirectory() + "/swirl.bmp";
    writeBmp(path, 31, 31, [](int x, int y) { return Rgb{uint8_t(x * 8), uint8_t(y * 8), 200}; });
    Texture texture(path.c_str());
    std::vector<std::unique_ptr<Sprite>> scene;
    for (int i = 0; i < 2000; ++i) {
        scene.emplace_back(new Sprite(i % 600, (i * 7) % 440, i % 5, &texture));
        scene.back()->spin = 1.5;
        scene.back()->textureSpin = -8;
        if (i % 7 != 0)
            scene.back()->hide();
    }
    for (int i = 0; i < 5; ++i)
        renderFrame();  // let the driver settle its buffers
    EXPECT_EQ(allocationsDuring([] {
                  for (int i = 0; i < 20; ++i)
                      renderFrame();
              }),
              0);
}

}  // namespace
