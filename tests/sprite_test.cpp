// The scene list's order against a simple model, placement arithmetic, and
// what Sprite::draw puts on screen, read back from the real GL context.
#include "sprite.h"

#include "display.h"
#include "frame_strip.h"
#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

Texture* solidTexture(const std::string& name, int w, int h, Rgb colour)
{
    const std::string path = scratchDirectory() + "/" + name + ".bmp";
    writeBmp(path, w, h, [colour](int, int) { return colour; });
    return new Texture(path.c_str());
}

class SpriteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ensureDisplay();
        white = solidTexture("white64x32", 64, 32, {255, 255, 255});
    }
    void SetUp() override { ASSERT_EQ(sceneHead, nullptr) << "a previous test leaked sprites"; }
    void TearDown() override { sprites.clear(); }

    Sprite* make(double x, double y, double depth, Texture* t = white)
    {
        sprites.emplace_back(new Sprite(x, y, depth, t));
        return sprites.back().get();
    }

    static inline Texture* white;  // 64 x 32, no padding
    std::vector<std::unique_ptr<Sprite>> sprites;
};

// Random inserts, depth changes and deletions against a vector applying the
// same rule: a sprite goes just before the first of greater or equal depth,
// so of equal depths the newest comes first, and a sprite whose depth does
// not change is never reordered.
TEST_F(SpriteTest, TheListFollowsTheDepthRuleThroughRandomOperations)
{
    std::srand(1234);
    std::vector<Sprite*> model;
    auto modelInsert = [&](Sprite* s, double depth) {
        model.insert(std::find_if(model.begin(), model.end(), [&](Sprite* o) { return o->z >= depth; }), s);
    };
    for (int step = 0; step < 3000; ++step) {
        const int op = std::rand() % 3;
        const double depth = std::rand() % 8;
        if (op == 0 || model.empty()) {
            modelInsert(make(0, 0, depth), depth);
        } else if (Sprite* s = model[std::size_t(std::rand()) % model.size()]; op == 2) {
            model.erase(std::find(model.begin(), model.end(), s));
            sprites.erase(std::find_if(sprites.begin(), sprites.end(), [s](auto& p) { return p.get() == s; }));
        } else {
            if (depth != s->z) {
                model.erase(std::find(model.begin(), model.end(), s));
                modelInsert(s, depth);
            }
            s->setPosition(1, 1, depth);
        }
        std::vector<Sprite*> order;
        Sprite* last = nullptr;
        for (Sprite* t = sceneHead; t; last = t, t = t->next) {
            ASSERT_EQ(t->prev, last);
            order.push_back(t);
        }
        ASSERT_EQ(last, sceneTail);
        ASSERT_EQ(order, model) << "after step " << step;
    }
}

TEST_F(SpriteTest, ScalingKeepsTheImageCentreAndRotationKeepsTheSignOfFmod)
{
    // A 10 x 10 image in a 16 x 16 texture has offset 3.
    Sprite* s = make(100, 50, 1, solidTexture("img10", 10, 10, {200, 100, 50}));
    EXPECT_DOUBLE_EQ(s->quadX, 97);
    EXPECT_DOUBLE_EQ(s->centreX, 105);
    s->setScale(2.0, 3.0);
    EXPECT_DOUBLE_EQ(s->x(), 95);
    EXPECT_DOUBLE_EQ(s->y(), 40);
    EXPECT_DOUBLE_EQ(s->scaledWidth(), 20);
    s->setPosition(200, 50, 1);  // a move while scaled is carried into the anchor
    s->setUniformScale(1.0);
    EXPECT_DOUBLE_EQ(s->x(), 205);
    EXPECT_DOUBLE_EQ(s->centreX, 210);
    EXPECT_DOUBLE_EQ(make(100, 0, 1, solidTexture("img9", 9, 9, {200, 100, 50}))->x(), 99.5) << "odd widths";
    s->setRotation(725);
    EXPECT_DOUBLE_EQ(s->rotation(), 5);
    s->setRotation(-90);
    EXPECT_DOUBLE_EQ(s->rotation(), -90);
    EXPECT_DOUBLE_EQ(wrapDegrees(360), 0);
    EXPECT_DOUBLE_EQ(wrapDegrees(-10), -10);
}

// One scene: a blue cover scaled from one pixel over the lower half with a
// white quad in front at depth 100, a vertical corner gradient, corners out
// of range clamped, and a ring whose black hole shows the older white quad
// of equal depth behind it (the newest of equal depths is drawn on top).
TEST_F(SpriteTest, QuadsLandOnTheirPixelsWithClampedCornerGradientsAndHolesThatWriteNoDepth)
{
    Sprite* cover = make(0, 0, 99.99, solidTexture("one", 1, 1, {0, 0, 255}));
    cover->setScale(640, 240);
    cover->setPosition(0, 240, 99.99);
    make(10, 300, 100);
    Sprite* s = make(0, 0, 1);
    s->cornerColour[kBottomLeft] = s->cornerColour[kBottomRight] = {1, 0, 0};
    s->cornerColour[kTopLeft] = s->cornerColour[kTopRight] = {0, 0, 1};
    for (CornerColour& c : make(100, 0, 1)->cornerColour)
        c = {7.5, -3.0, 0.5};
    const std::string path = scratchDirectory() + "/ring.bmp";
    writeBmp(path, 32, 32, [](int x, int y) { return x >= 8 && x < 24 && y >= 8 && y < 24 ? Rgb{0, 0, 0} : Rgb{0, 255, 0}; });
    Texture ring(path.c_str());
    make(300, 0, 5);
    make(300, 0, 5, &ring);
    drawScene();
    for (auto [x, y] : {std::pair{0, 240}, {639, 479}, {9, 300}, {74, 300}, {10, 332}})
        EXPECT_EQ(readPixel(x, y), (Rgb{0, 0, 255})) << x << "," << y;
    EXPECT_TRUE(readPixel(10, 300) == (Rgb{255, 255, 255}) && readPixel(73, 331) == (Rgb{255, 255, 255}));
    const Rgb top = readPixel(30, 0), middle = readPixel(30, 16), bottom = readPixel(30, 31), clamped = readPixel(130, 16);
    EXPECT_TRUE(top.b > 240 && top.r < 15 && bottom.r > 240 && bottom.b < 15);
    EXPECT_TRUE(std::abs(middle.r - 128) <= 12 && std::abs(middle.b - 128) <= 12);
    EXPECT_TRUE(clamped.r == 255 && clamped.g == 0 && std::abs(clamped.b - 128) <= 1);
    EXPECT_EQ(readPixel(302, 2), (Rgb{0, 255, 0}));
    EXPECT_EQ(readPixel(316, 16), (Rgb{255, 255, 255})) << "the hole must show the older sprite";
}

TEST_F(SpriteTest, OnlyDrawnSpritesSpinAndAnimateEachFrameForDelayPlusOneDraws)
{
    Sprite *zero = make(0, 0, 1), *faint = make(0, 0, 1), *hidden = make(0, 0, 1), *backwards = make(0, 0, 1);
    zero->setAlpha(0.0);
    faint->setAlpha(0.001);
    hidden->hide();
    for (Sprite* s : {zero, faint, hidden})
        s->spin = 3;
    backwards->spin = -1;
    faint->setRotation(358);
    drawScene();
    EXPECT_DOUBLE_EQ(zero->rotation(), 0);
    EXPECT_DOUBLE_EQ(hidden->rotation(), 0);
    EXPECT_DOUBLE_EQ(faint->rotation(), 1);
    EXPECT_DOUBLE_EQ(backwards->rotation(), -1);

    const std::string path = scratchDirectory() + "/sheet3.bmp";
    writeBmp(path, 24, 8, [](int x, int) { return Rgb{uint8_t(50 + 50 * (x / 8)), 10, 10}; });
    FrameStrip strip(path.c_str(), 3, 8, 8);
    Sprite* s = new Sprite(0, 0, 1, &strip);
    sprites.emplace_back(s);
    const GLuint frames[3] = {strip.first->texture->textureName, strip.first->next->texture->textureName,
                              strip.last->texture->textureName};
    for (int i = 0; i < 18; ++i) {
        ASSERT_EQ(s->textureName, frames[i / 6]) << "draw " << i;
        drawScene();
    }
    s->hide();
    const GLuint before = s->textureName;
    for (int i = 0; i < 20; ++i)
        drawScene();
    EXPECT_EQ(s->textureName, before) << "a hidden sprite must not animate";
}

// Every texel of a row or column differs from its neighbours, so a tile
// drawn one pixel off is caught.
Rgb pattern(int x, int y)
{
    return Rgb{uint8_t(x * 7 % 251 + 1), uint8_t(y * 5 % 251 + 1), uint8_t((x / 256) * 60 + (y / 256) * 120 + 10)};
}

TEST_F(SpriteTest, LargeTexturesLandTileByTileAndWideOnesInOneRow)
{
    const std::string square = scratchDirectory() + "/square512.bmp", wide = scratchDirectory() + "/wide1024.bmp";
    writeBmp(square, 512, 512, pattern);
    writeBmp(wide, 1024, 128, pattern);
    Texture big(square.c_str()), strip(wide.c_str());
    Sprite* s = make(0, 0, 1, &big);
    drawScene();
    for (int x : {0, 255, 256, 257, 511})
        for (int y : {0, 255, 256, 479})
            EXPECT_EQ(readPixel(x, y), pattern(x, y)) << x << "," << y;
    s->hide();
    s = make(-384, 100, 1, &strip);
    drawScene();
    for (int tx : {384, 767, 768, 1023})
        for (int y : {0, 127})
            EXPECT_EQ(readPixel(tx - 384, 100 + y), pattern(tx, y)) << tx << "," << y;
    EXPECT_EQ(readPixel(100, 99), (Rgb{0, 0, 0}));
    EXPECT_EQ(readPixel(100, 228), (Rgb{0, 0, 0}));
}

}  // namespace
