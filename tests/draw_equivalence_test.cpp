// The batched drawing shows what the reference drawing (one Sprite::draw per
// sprite) shows on fixed moments of the game, and turns and animates alike.
#include "draw_scenes.h"
#include "game_harness.h"
#include "test_images.h"

#include "display.h"
#include "frame_strip.h"
#include "sprite.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

// Sub-pixel differences along sprite edges are allowed, nothing more: no
// channel may differ by more than 2/255 on more than 0.2 % of the pixels.
constexpr int kChannelTolerance = 2;
constexpr int kMaxDifferingPixels = kScreenWidth * kScreenHeight * 2 / 1000;

using Frame = std::vector<uint8_t>;

struct Difference {
    int differingPixels;
    int worst;   // largest channel difference, of 255
    int lit;     // pixels of the first frame that are not black
};

Difference compare(const Frame& a, const Frame& b)
{
    Difference d = {0, 0, 0};
    for (size_t p = 0; p < a.size(); p += 4) {
        int largest = 0;
        for (size_t c = p; c < p + 3; ++c)
            largest = std::max(largest, std::abs(int(a[c]) - int(b[c])));
        d.differingPixels += largest > kChannelTolerance;
        d.worst = std::max(d.worst, largest);
        d.lit += (a[p] | a[p + 1] | a[p + 2]) != 0;
    }
    return d;
}

// What drawing moves on in a sprite: its turns, texture and animation.
using Motion = std::tuple<double, double, GLuint, int32_t, int32_t, FrameNode*>;

std::vector<Motion> sceneMotion()
{
    std::vector<Motion> motion;
    for (Sprite* s = sceneHead; s; s = s->next) {
        const Animator* a = s->animator;
        motion.emplace_back(s->angle, s->textureRotation, s->textureName, a ? a->counter : 0,
                            a ? a->direction : 0, a ? a->current : nullptr);
    }
    return motion;
}

void restoreMotion(const std::vector<Motion>& motion)
{
    size_t i = 0;
    for (Sprite* s = sceneHead; s; s = s->next, ++i) {
        Animator* a = s->animator;
        int32_t counter, direction;  // where a still sprite's zeros go
        FrameNode* frame;
        std::tie(s->angle, s->textureRotation, s->textureName, a ? a->counter : counter, a ? a->direction : direction,
                 a ? a->current : frame) = motion[i];
    }
}

int mismatches(const std::vector<Motion>& a, const std::vector<Motion>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// First, on the scene as loaded: the bench times these screens after busy
// ones, whose left-overs must not show on them.
TEST(DrawEquivalenceTest, QuietScreensLookAsAfterLoadingWhateverCameBefore)
{
    constexpr int kQuietScreens[] = {1, 4};        // title menu, hall of fame
    constexpr int kBusyMoments[] = {2, 3};         // hectic, worst
    constexpr int kBusyPasses = 200;               // about as many as the bench draws
    startGameHarness();
    Frame asLoaded[2];
    for (int i = 0; i < 2; ++i) {
        drawScenes[kQuietScreens[i]].setUp();
        drawScene();
        asLoaded[i] = readFrame();
    }
    for (int busy : kBusyMoments) {
        drawScenes[busy].setUp();
        for (int pass = 0; pass < kBusyPasses; ++pass) {
            drawScene();
            drawScenes[busy].step();
        }
    }
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(drawScenes[kQuietScreens[i]].name);
        drawScenes[kQuietScreens[i]].setUp();
        drawScene();
        const Difference d = compare(asLoaded[i], readFrame());
        EXPECT_GT(d.lit, kScreenWidth * kScreenHeight / 10) << "the screen shows too little to compare";
        EXPECT_LE(d.differingPixels, kMaxDifferingPixels) << "worst difference " << d.worst << "/255";
    }
}

TEST(DrawEquivalenceTest, BatchedFramesMatchTheReference)
{
    startGameHarness();
    for (const DrawScene& scene : drawScenes) {
        SCOPED_TRACE(scene.name);
        scene.setUp();
        const std::vector<Motion> before = sceneMotion();

        drawSceneReference();
        const Frame reference = readFrame();
        const std::vector<Motion> referenceMotion = sceneMotion();
        restoreMotion(before);
        drawScene();
        const Frame batched = readFrame();

        const Difference d = compare(reference, batched);
        std::printf("%-15s %5d pixels differ by more than %d/255 (%.3f %%), worst difference %d/255\n",
                    scene.name, d.differingPixels, kChannelTolerance, 100.0 * d.differingPixels / (kScreenWidth * kScreenHeight),
                    d.worst);
        EXPECT_GT(d.lit, kScreenWidth * kScreenHeight / 10) << "the moment shows too little to compare";
        EXPECT_LE(d.differingPixels, kMaxDifferingPixels);
        EXPECT_EQ(mismatches(sceneMotion(), referenceMotion), 0) << "sprites moved on differently";
        if (scene.tearDown)
            scene.tearDown();
    }
}

}  // namespace
