// Frame strips cut from sheets, and the animator's stepping rules.
#include "frame_strip.h"

#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

FrameStrip* strip(unsigned count, unsigned w = 8, unsigned h = 8)
{
    ensureDisplay();
    const std::string path = scratchDirectory() + "/sheet" + std::to_string(count) + ".bmp";
    writeBmp(path, int(count * w), int(h), [w](int x, int) { return Rgb{uint8_t(10 + x / int(w)), 100, 100}; });
    return new FrameStrip(path.c_str(), count, w, h);
}

// 1-based index of the animator's frame.
int frameNumber(const Animator& a)
{
    int n = 1;
    for (FrameNode* f = a.strip->first; f != a.current; f = f->next)
        ++n;
    return n;
}

TEST(FrameStripTest, FramesAreCutLeftToRightIntoADoublyLinkedList)
{
    FrameStrip* s = strip(13, 100, 60);
    int count = 0;
    FrameNode* before = nullptr;
    for (FrameNode* f = s->first; f; before = f, f = f->next, ++count) {
        EXPECT_EQ(f->texture->sourceRect.x, 100 * count);
        EXPECT_EQ(f->texture->imageHeight, 60u);
        EXPECT_EQ(f->prev, before);
    }
    EXPECT_EQ(count, 13);
    EXPECT_EQ(s->lastFrame(), before);
}

TEST(FrameStripTest, AnimatorsPingPongOrWrapClampAndWaitOutTheirDelay)
{
    struct Case {
        unsigned frames;
        bool pingPong;
        std::vector<int> seen;
    };
    for (const Case& c : {Case{3, true, {1, 2, 3, 2, 1, 2, 3}}, {3, false, {1, 2, 3, 1, 2, 3, 1}}, {1, true, {1, 1, 1}}}) {
        Animator a(strip(c.frames));
        a.delay = 0;
        a.pingPong = c.pingPong;
        std::vector<int> seen{frameNumber(a)};
        while (seen.size() < c.seen.size()) {
            a.advance();
            seen.push_back(frameNumber(a));
        }
        EXPECT_EQ(seen, c.seen);
    }
    Animator a(strip(24));
    for (int tick = 1; tick <= 5; ++tick)
        EXPECT_FALSE(a.advance()) << "delay 5 steps on the sixth tick";
    EXPECT_TRUE(a.advance());
    EXPECT_EQ(frameNumber(a), 2);
    a.setFrame(30);
    EXPECT_EQ(frameNumber(a), 24);
    a.setFrame(0);
    EXPECT_EQ(frameNumber(a), 24);
    a.delay = 0;
    a.advance();
    EXPECT_EQ(frameNumber(a), 23) << "from the last frame ping-pong turns back";
}

}  // namespace
