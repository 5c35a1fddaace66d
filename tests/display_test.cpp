// The frame pass: pacing, event handling, and the cost and allocation-free
// drawing of a scene the size of the game's.
#include "display.h"

#include "alloc_counter.h"
#include "sprite.h"
#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

class DisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureDisplay(); }
};

int escapes = 0;
void countEscape()
{
    ++escapes;
}

TEST_F(DisplayTest, FramesAreAtLeast15msApart)
{
    renderFrame();
    Uint32 previous = lastFrameTick;
    for (int i = 0; i < 8; ++i) {
        renderFrame();
        EXPECT_GE(lastFrameTick - previous, kFramePeriodMs);
        previous = lastFrameTick;
    }
}

TEST_F(DisplayTest, AFrameThatTookLongerDoesNotWait)
{
    renderFrame();
    SDL_Delay(40);
    const Uint32 before = SDL_GetTicks();
    waitForFrameTime();
    EXPECT_LE(SDL_GetTicks() - before, 1u);
    EXPECT_LE(lastFrameTick - before, 1u);
}

TEST_F(DisplayTest, TheWaitSurvivesTheTickCounterWrappingRound)
{
    // A previous frame stamped just before the counter wraps: the wait must
    // end after 15 ms of real time, not 49 days.
    lastFrameTick = SDL_GetTicks() - 5u;
    const Uint32 before = SDL_GetTicks();
    waitForFrameTime();
    EXPECT_LE(SDL_GetTicks() - before, 20u);
}

TEST_F(DisplayTest, AnEmptySceneIsBlack)
{
    ASSERT_EQ(sceneHead, nullptr);
    drawScene();
    EXPECT_EQ(readPixel(320, 240), (Rgb{0, 0, 0}));
}

TEST_F(DisplayTest, QuitAndEscapeInOnePollBothCount)
{
    setEscapeHandler(countEscape);
    escapes = 0;
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&event);
    SDL_PushEvent(&event);
    SDL_Event other = event;
    other.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&other);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(pollEvents());
    EXPECT_EQ(escapes, 2);
    EXPECT_FALSE(pollEvents());
    setEscapeHandler(nullptr);
}

// About two thousand sprites, most of them hidden, as in the built game:
// drawing them must not touch the heap.
TEST_F(DisplayTest, DrawingTwoThousandSpritesAllocatesNothing)
{
    const std::string path = scratchDirectory() + "/swirl.bmp";
    writeBmp(path, 31, 31, [](int x, int y) { return Rgb{uint8_t(x * 8), uint8_t(y * 8), 200}; });
    Texture texture(path.c_str());
    std::vector<std::unique_ptr<Sprite>> scene;
    for (int i = 0; i < 2000; ++i) {
        scene.emplace_back(new Sprite(i % 600, (i * 7) % 440, i % 5, &texture));
        Sprite& s = *scene.back();
        s.spin = 1.5;
        s.textureSpin = -8;
        if (i % 7 != 0)
            s.hide();
    }
    for (int i = 0; i < 5; ++i)
        renderFrame();  // let the driver settle its buffers
    const long count = allocationsDuring([] {
        for (int i = 0; i < 20; ++i)
            renderFrame();
    });
    EXPECT_EQ(count, 0);

    constexpr int kFrames = 100;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i)
        drawScene();
    glFinish();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("drawScene over 2000 sprites (286 visible): %.3f ms per frame\n", ms / kFrames);
}

}  // namespace
