// Scene list ordering, sprite placement arithmetic, and what Sprite::draw puts
// on screen, read back from the real GL context.
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

class SpriteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ensureDisplay();
        white = solidTexture("white64x32", 64, 32, {255, 255, 255});
        ten = solidTexture("img10", 10, 10, {200, 100, 50});
        nine = solidTexture("img9", 9, 9, {200, 100, 50});
        onePixel = solidTexture("one", 1, 1, {0, 0, 255});
    }

    static Texture* solidTexture(const std::string& name, int w, int h, Rgb colour)
    {
        const std::string path = scratchDirectory() + "/" + name + ".bmp";
        writeBmp(path, w, h, [colour](int, int) { return colour; });
        return new Texture(path.c_str());
    }

    void SetUp() override { ASSERT_EQ(sceneHead, nullptr) << "a previous test leaked sprites"; }
    void TearDown() override { sprites.clear(); }

    Sprite* make(double x, double y, double depth, Texture* t = nullptr)
    {
        sprites.emplace_back(new Sprite(x, y, depth, t ? t : white));
        return sprites.back().get();
    }

    void destroy(Sprite* s)
    {
        sprites.erase(std::find_if(sprites.begin(), sprites.end(),
                                   [s](const std::unique_ptr<Sprite>& p) { return p.get() == s; }));
    }

    static std::vector<Sprite*> listOrder()
    {
        std::vector<Sprite*> order;
        for (Sprite* s = sceneHead; s; s = s->next)
            order.push_back(s);
        return order;
    }

    // Links agree in both directions, head and tail are the ends, depths
    // never decrease.
    static void expectListConsistent()
    {
        Sprite* last = nullptr;
        for (Sprite* s = sceneHead; s; last = s, s = s->next) {
            EXPECT_EQ(s->prev, last);
            if (last) {
                EXPECT_LE(last->z, s->z);
            }
        }
        EXPECT_EQ(last, sceneTail);
    }

    static inline Texture *white, *ten, *nine, *onePixel;  // 64 x 32 white, 10 x 10, 9 x 9, 1 x 1 blue
    std::vector<std::unique_ptr<Sprite>> sprites;
};

TEST_F(SpriteTest, EqualDepthsPutTheNewestFirst)
{
    Sprite* a = make(0, 0, 2);
    Sprite* b = make(0, 0, 1);
    Sprite* c = make(0, 0, 2);
    EXPECT_EQ(listOrder(), (std::vector<Sprite*>{b, c, a}));
    Sprite* front = make(0, 0, -5);
    Sprite* back = make(0, 0, 50);
    EXPECT_EQ(sceneHead, front);
    EXPECT_EQ(sceneTail, back);
    expectListConsistent();
}

TEST_F(SpriteTest, DepthChangesMoveTheSpriteAndKeepTheListWhole)
{
    Sprite* a = make(0, 0, 1);
    Sprite* b = make(0, 0, 2);
    Sprite* c = make(0, 0, 2);
    Sprite* d = make(0, 0, 3);
    // Same depth: never reordered, even with an equal neighbour.
    b->setPosition(5, 5, 2);
    EXPECT_EQ(listOrder(), (std::vector<Sprite*>{a, c, b, d}));
    // Head to the back.
    a->setPosition(7, 8, 10);
    EXPECT_EQ(listOrder(), (std::vector<Sprite*>{c, b, d, a}));
    EXPECT_DOUBLE_EQ(a->x(), 7);
    EXPECT_DOUBLE_EQ(a->y(), 8);
    // Middle to the front, tail into the middle.
    d->setPosition(0, 0, 0);
    a->setPosition(0, 0, 2);
    EXPECT_EQ(listOrder(), (std::vector<Sprite*>{d, a, c, b}));
    expectListConsistent();
    // Deletion at the head, in the middle and at the tail.
    destroy(d);
    destroy(c);
    destroy(b);
    EXPECT_EQ(listOrder(), (std::vector<Sprite*>{a}));
    // The only sprite stays the only one at its new depth.
    a->setPosition(0, 0, 42);
    EXPECT_EQ(sceneHead, a);
    EXPECT_EQ(sceneTail, a);
    EXPECT_EQ(a->depth(), 42);
    destroy(a);
    EXPECT_EQ(sceneHead, nullptr);
    EXPECT_EQ(sceneTail, nullptr);
}

// Random inserts, depth changes and deletions checked against a plain vector
// that applies the same rule: a sprite goes just before the first sprite of
// greater or equal depth.
TEST_F(SpriteTest, RandomOperationsMatchASimpleModel)
{
    std::srand(1234);
    std::vector<Sprite*> model;
    auto modelInsert = [&](Sprite* s, double depth) {
        auto it = std::find_if(model.begin(), model.end(), [&](Sprite* o) { return o->z >= depth; });
        model.insert(it, s);
    };
    for (int step = 0; step < 3000; ++step) {
        const int op = std::rand() % 3;
        const double depth = std::rand() % 8;
        if (op == 0 || model.empty()) {
            modelInsert(make(0, 0, depth), depth);
        } else if (op == 1) {
            Sprite* s = model[std::size_t(std::rand()) % model.size()];
            if (depth != s->z) {
                model.erase(std::find(model.begin(), model.end(), s));
                modelInsert(s, depth);
            }
            s->setPosition(1, 1, depth);
        } else {
            Sprite* s = model[std::size_t(std::rand()) % model.size()];
            model.erase(std::find(model.begin(), model.end(), s));
            destroy(s);
        }
        ASSERT_EQ(listOrder(), model) << "after step " << step;
    }
    expectListConsistent();
}

TEST_F(SpriteTest, ScalingKeepsTheImageCentre)
{
    // A 10 x 10 image in a 16 x 16 texture has offset 3.
    Sprite* s = make(100, 50, 1, ten);
    EXPECT_DOUBLE_EQ(s->quadX, 97);
    EXPECT_DOUBLE_EQ(s->x(), 100);
    EXPECT_DOUBLE_EQ(s->centreX, 105);
    s->setUniformScale(2.0);
    EXPECT_DOUBLE_EQ(s->x(), 95);
    EXPECT_DOUBLE_EQ(s->scaledWidth(), 20);
    EXPECT_DOUBLE_EQ(s->centreX, 105);
    // A move while scaled is carried into the anchor.
    s->setPosition(200, 50, 1);
    s->setUniformScale(1.0);
    EXPECT_DOUBLE_EQ(s->x(), 205);
    EXPECT_DOUBLE_EQ(s->centreX, 210);
    // Odd widths land half a pixel to the left.
    EXPECT_DOUBLE_EQ(make(100, 0, 1, nine)->x(), 99.5);
}

TEST_F(SpriteTest, RotationAndWrapKeepTheSignOfFmod)
{
    Sprite* s = make(0, 0, 1);
    s->setRotation(725);
    EXPECT_DOUBLE_EQ(s->rotation(), 5);
    s->setRotation(-90);
    EXPECT_DOUBLE_EQ(s->rotation(), -90);
    EXPECT_DOUBLE_EQ(wrapDegrees(360), 0);
    EXPECT_DOUBLE_EQ(wrapDegrees(359.5), 359.5);
    EXPECT_DOUBLE_EQ(wrapDegrees(-10), -10);
}

TEST_F(SpriteTest, OnePixelImageScaledCoversTheScreen)
{
    Sprite* cover = make(0, 0, 99.99, onePixel);
    cover->setScale(640, 480);
    cover->setPosition(0, 0, 99.99);
    drawScene();
    for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}})
        EXPECT_EQ(readPixel(x, y), (Rgb{0, 0, 255})) << x << "," << y;
}

TEST_F(SpriteTest, QuadLandsOnItsPixelsAndDepth100IsDrawn)
{
    make(10, 20, 100);  // 64 x 32, no padding
    drawScene();
    EXPECT_EQ(readPixel(10, 20), (Rgb{255, 255, 255}));
    EXPECT_EQ(readPixel(73, 51), (Rgb{255, 255, 255}));
    EXPECT_EQ(readPixel(9, 20), (Rgb{0, 0, 0}));
    EXPECT_EQ(readPixel(74, 20), (Rgb{0, 0, 0}));
    EXPECT_EQ(readPixel(10, 52), (Rgb{0, 0, 0}));
}

TEST_F(SpriteTest, CornerColoursMakeAVerticalGradientAndAreClampedToTheUnitRange)
{
    Sprite* s = make(0, 0, 1);
    s->cornerColour[kBottomLeft] = s->cornerColour[kBottomRight] = {1, 0, 0};
    s->cornerColour[kTopLeft] = s->cornerColour[kTopRight] = {0, 0, 1};
    for (CornerColour& c : make(100, 0, 1)->cornerColour)
        c = {7.5, -3.0, 0.5};
    drawScene();
    const Rgb top = readPixel(30, 0), middle = readPixel(30, 16), bottom = readPixel(30, 31);
    EXPECT_TRUE(top.b > 240 && top.r < 15);
    EXPECT_TRUE(bottom.r > 240 && bottom.b < 15);
    EXPECT_NEAR(middle.r, 128, 12);
    EXPECT_NEAR(middle.b, 128, 12);
    const Rgb clamped = readPixel(130, 16);
    EXPECT_EQ(clamped.r, 255);
    EXPECT_EQ(clamped.g, 0);
    EXPECT_NEAR(clamped.b, 128, 1);
}

TEST_F(SpriteTest, TransparentTexelsWriteNoDepthAndTheNewestOfEqualDepthsWins)
{
    const std::string path = scratchDirectory() + "/ring.bmp";
    // A green square with a pure black (transparent) hole in its middle.
    writeBmp(path, 32, 32, [](int x, int y) {
        const bool hole = x >= 8 && x < 24 && y >= 8 && y < 24;
        return hole ? Rgb{0, 0, 0} : Rgb{0, 255, 0};
    });
    Texture ring(path.c_str());
    make(0, 0, 5);               // white, older: drawn second
    make(0, 0, 5, &ring);        // green, newer: drawn first, on top
    drawScene();
    EXPECT_EQ(readPixel(2, 2), (Rgb{0, 255, 0}));
    EXPECT_EQ(readPixel(16, 16), (Rgb{255, 255, 255})) << "the hole must show the older sprite";
    EXPECT_EQ(readPixel(40, 16), (Rgb{255, 255, 255}));
}

TEST_F(SpriteTest, OnlyDrawnSpritesSpinAndAnimate)
{
    Sprite* zero = make(0, 0, 1);
    Sprite* faint = make(0, 0, 1);
    Sprite* hidden = make(0, 0, 1);
    zero->setAlpha(0.0);
    faint->setAlpha(0.001);
    hidden->hide();
    for (Sprite* s : {zero, faint, hidden})
        s->spin = 3;
    faint->setRotation(358);
    drawScene();
    EXPECT_DOUBLE_EQ(zero->rotation(), 0);
    EXPECT_DOUBLE_EQ(hidden->rotation(), 0);
    EXPECT_DOUBLE_EQ(faint->rotation(), 1);

    Sprite* backwards = make(0, 0, 1);
    backwards->spin = -1;
    drawScene();
    EXPECT_DOUBLE_EQ(backwards->rotation(), -1);
    for (int i = 1; i < 360; ++i)
        drawScene();
    EXPECT_DOUBLE_EQ(backwards->rotation(), 0);
}

// A pattern where every texel of a row or column differs from its
// neighbours, so a tile drawn one pixel off is caught.
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
    ASSERT_EQ(big.textureWidth, 512u);
    ASSERT_EQ(strip.textureWidth, 1024u);
    Sprite* s = make(0, 0, 1, &big);
    drawScene();
    for (int x : {0, 1, 255, 256, 257, 511})
        for (int y : {0, 255, 256, 479})
            EXPECT_EQ(readPixel(x, y), pattern(x, y)) << x << "," << y;

    s->hide();
    s = make(0, 100, 1, &strip);
    drawScene();
    for (int x : {0, 255, 256, 511, 512, 639})
        for (int y : {0, 127})
            EXPECT_EQ(readPixel(x, 100 + y), pattern(x, y)) << x << "," << y;
    s->setPosition(-384, 100, 1);
    drawScene();
    for (int tx : {384, 767, 768, 1023})
        EXPECT_EQ(readPixel(tx - 384, 164), pattern(tx, 64)) << tx;
    EXPECT_EQ(readPixel(100, 99), (Rgb{0, 0, 0}));
    EXPECT_EQ(readPixel(100, 228), (Rgb{0, 0, 0}));
}

TEST_F(SpriteTest, AnimatedSpriteShowsEachFrameForDelayPlusOneDraws)
{
    const std::string path = scratchDirectory() + "/sheet3.bmp";
    writeBmp(path, 24, 8, [](int x, int) { return Rgb{uint8_t(50 + 50 * (x / 8)), 10, 10}; });
    FrameStrip strip(path.c_str(), 3, 8, 8);
    Sprite* s = new Sprite(0, 0, 1, &strip);
    sprites.emplace_back(s);
    std::vector<GLuint> names;
    for (int i = 0; i < 18; ++i) {
        names.push_back(s->textureName);
        drawScene();
    }
    const GLuint f1 = strip.first->texture->textureName;
    const GLuint f2 = strip.first->next->texture->textureName;
    const GLuint f3 = strip.last->texture->textureName;
    EXPECT_EQ(std::count(names.begin(), names.begin() + 6, f1), 6);
    EXPECT_EQ(std::count(names.begin() + 6, names.begin() + 12, f2), 6);
    EXPECT_EQ(std::count(names.begin() + 12, names.end(), f3), 6);
    s->hide();
    const GLuint before = s->textureName;
    for (int i = 0; i < 20; ++i)
        drawScene();
    EXPECT_EQ(s->textureName, before) << "a hidden sprite must not animate";
}

}  // namespace
