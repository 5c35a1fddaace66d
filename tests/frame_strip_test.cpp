// Frame strips cut from sheets, and the animator's stepping rules.
#include "frame_strip.h"

#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FrameStripTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureDisplay(); }

    static FrameStrip* strip(unsigned count, unsigned w = 8, unsigned h = 8)
    {
        const std::string path = scratchDirectory() + "/sheet" + std::to_string(count) + ".bmp";
        writeBmp(path, int(count * w), int(h), [w](int x, int) { return Rgb{uint8_t(10 + x / int(w)), 100, 100}; });
        return new FrameStrip(path.c_str(), count, w, h);
    }

    // 1-based index of the animator's frame.
    static int frameNumber(const Animator& a)
    {
        int n = 1;
        for (FrameNode* f = a.strip->first; f != a.current; f = f->next)
            ++n;
        return n;
    }

    static std::vector<int> visits(Animator& a, int ticks)
    {
        std::vector<int> seen{frameNumber(a)};
        for (int i = 1; i < ticks; ++i) {
            EXPECT_TRUE(a.advance());
            seen.push_back(frameNumber(a));
        }
        return seen;
    }
};

TEST_F(FrameStripTest, FramesAreCutLeftToRight)
{
    FrameStrip* s = strip(13, 100, 60);
    int count = 0;
    for (FrameNode* f = s->first; f; f = f->next) {
        EXPECT_EQ(f->texture->sourceRect.x, 100 * count);
        EXPECT_EQ(f->texture->imageWidth, 100u);
        EXPECT_EQ(f->texture->imageHeight, 60u);
        if (f->next) {
            EXPECT_EQ(f->next->prev, f);
        }
        ++count;
    }
    EXPECT_EQ(count, 13);
    EXPECT_EQ(s->current, s->first);
    EXPECT_EQ(s->first->prev, nullptr);
    EXPECT_EQ(s->lastFrame()->next, nullptr);
}

TEST_F(FrameStripTest, PingPongTurnsWithinOneStep)
{
    Animator a(strip(3));
    a.delay = 0;
    EXPECT_EQ(visits(a, 7), (std::vector<int>{1, 2, 3, 2, 1, 2, 3}));
}

TEST_F(FrameStripTest, WrapModeStartsAgainAtTheFirstFrame)
{
    Animator a(strip(3));
    a.delay = 0;
    a.pingPong = false;
    EXPECT_EQ(visits(a, 6), (std::vector<int>{1, 2, 3, 1, 2, 3}));
}

TEST_F(FrameStripTest, DelayFiveStepsOnTheSixthTick)
{
    Animator a(strip(3));
    for (int tick = 1; tick <= 5; ++tick)
        EXPECT_FALSE(a.advance()) << tick;
    EXPECT_TRUE(a.advance());
    EXPECT_EQ(frameNumber(a), 2);
}

TEST_F(FrameStripTest, SetFrameClampsToTheStrip)
{
    Animator a(strip(24));
    a.setFrame(8);
    EXPECT_EQ(frameNumber(a), 8);
    a.setFrame(30);
    EXPECT_EQ(frameNumber(a), 24);
    a.setFrame(0);
    EXPECT_EQ(frameNumber(a), 24);
    // The direction is kept: from the last frame ping-pong turns back.
    a.delay = 0;
    a.advance();
    EXPECT_EQ(frameNumber(a), 23);
}

TEST_F(FrameStripTest, ASingleFrameStripStaysPut)
{
    Animator a(strip(1));
    a.delay = 0;
    for (int i = 0; i < 4; ++i)
        a.advance();
    EXPECT_EQ(frameNumber(a), 1);
}

}  // namespace
