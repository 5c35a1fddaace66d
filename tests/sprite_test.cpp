// What Sprite::draw puts on screen, read back from the real GL context: the
// design's drawing, against which the batched drawing is compared.
#include "sprite.h"

#include "display.h"
#include "settled_layer.h"
#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

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

// A one-pixel cover scaled over the lower half, a corner gradient, clamped
// corners, and a ring whose black hole shows the older quad of equal depth.
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
    EXPECT_EQ(readPixel(10, 300), (Rgb{255, 255, 255}));
    EXPECT_EQ(readPixel(73, 331), (Rgb{255, 255, 255}));
    const Rgb top = readPixel(30, 0), middle = readPixel(30, 16), bottom = readPixel(30, 31), clamped = readPixel(130, 16);
    EXPECT_GT(top.b, 240);
    EXPECT_LT(top.r, 15);
    EXPECT_GT(bottom.r, 240);
    EXPECT_LT(bottom.b, 15);
    EXPECT_NEAR(middle.r, 128, 12);
    EXPECT_NEAR(middle.b, 128, 12);
    EXPECT_EQ(clamped.r, 255);
    EXPECT_EQ(clamped.g, 0);
    EXPECT_NEAR(clamped.b, 128, 1);
    EXPECT_EQ(readPixel(302, 2), (Rgb{0, 255, 0}));
    EXPECT_EQ(readPixel(316, 16), (Rgb{255, 255, 255})) << "the hole must show the older sprite";
    drawSceneReference();
    EXPECT_EQ(readPixel(130, 16), clamped) << "the reference drawing clamps alike";
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

    // Scaled to half about its centre (256, 256), each tile keeps its
    // quarter: the blue says which tile a pixel came from.
    s->hide();
    make(0, 0, 1, &big)->setScale(0.5, 0.5);
    drawScene();
    for (auto [x, y, tileBlue] : {std::tuple{200, 200, 10}, {300, 200, 70}, {200, 300, 130}, {300, 300, 190}})
        EXPECT_EQ(readPixel(x, y).b, tileBlue) << x << "," << y;
    for (auto [x, y] : {std::pair{390, 300}, {300, 390}})
        EXPECT_EQ(readPixel(x, y), (Rgb{0, 0, 0})) << "past the scaled sprite at " << x << "," << y;
}

// The batched drawing's pixel (x, y) against the reference drawing's, each
// channel within `tolerance`.
void expectDrawnAsReference(int x, int y, int tolerance = 0)
{
    drawSceneReference();
    const Rgb reference = readPixel(x, y);
    drawScene();
    const Rgb batched = readPixel(x, y);
    EXPECT_NEAR(batched.r, reference.r, tolerance) << x << "," << y;
    EXPECT_NEAR(batched.g, reference.g, tolerance) << x << "," << y;
    EXPECT_NEAR(batched.b, reference.b, tolerance) << x << "," << y;
}

// A still half-transparent sprite between two moving ones of its texture
// settles into the kept picture and is not drawn over it a second time.
TEST_F(SpriteTest, ASettledSpriteBetweenMoversOfItsTextureIsDrawnOnce)
{
    make(0, 0, 0, solidTexture("black", 64, 32, {0, 0, 0}))->setScale(10, 15);
    Sprite* movers[2] = {make(100, 100, 50), make(300, 100, 52)};
    make(200, 100, 51)->setAlpha(0.5);
    for (unsigned frame = 0; frame < 2 * kSettledFrames + 2; ++frame) {
        for (Sprite* m : movers)
            m->setPosition(m->x(), 100 + frame % 2, m->depth());
        drawScene();
    }
    expectDrawnAsReference(230, 110);
}

// A quad cut down to its image's texels shades them as the whole quad
// would: a colour ramp across each channel, drawn both ways.
TEST_F(SpriteTest, ATrimmedQuadShadesItsImageAsTheWholeQuadWould)
{
    Sprite* s = make(0, 0, 1, solidTexture("padded", 100, 60, {255, 255, 255}));  // on a 128 x 64 canvas
    s->cornerColour[kTopLeft] = s->cornerColour[kBottomLeft] = {0.2, 0.9, 0.1};
    s->cornerColour[kTopRight] = s->cornerColour[kBottomRight] = {0.9, 0.1, 0.8};
    for (int x : {16, 40, 64, 88, 111})
        expectDrawnAsReference(x, 30, 2);
}

// The screen-sized first sprite comes from a kept picture, which a new
// texture on it renews; a small first sprite is drawn as any other.
TEST_F(SpriteTest, TheKeptBackdropFollowsItsTextureAndASmallFirstSpriteIsDrawn)
{
    const Texture* blue = solidTexture("blue", 1, 1, {0, 0, 255});
    Sprite* backdrop = make(0, 0, 0, solidTexture("grey", 1, 1, {90, 90, 90}));
    backdrop->setScale(640, 480);
    backdrop->setPosition(0, 0, 0);
    make(100, 100, 50);
    for (int frame = 0; frame < 3; ++frame)
        drawScene();
    backdrop->textureName = blue->textureName();
    drawScene();
    EXPECT_EQ(readPixel(600, 400), (Rgb{0, 0, 255}));

    backdrop->hide();
    make(300, 300, 5, solidTexture("red", 64, 32, {255, 0, 0}));
    make(300, 300, 5);
    expectDrawnAsReference(310, 310);
}

// Scaling keeps the image's centre where the unscaled image had it, through
// one scaling after another, and carries a move made between them.
TEST_F(SpriteTest, ScalingKeepsTheCentreThroughRescalesAndMoves)
{
    Sprite* s = make(100, 100, 1);  // 64 x 32: centre (132, 116)
    s->setScale(2, 2);
    EXPECT_EQ(std::pair(s->x(), s->y()), std::pair(68.0, 84.0));
    s->setScale(3, 1);
    EXPECT_EQ(std::pair(s->x(), s->y()), std::pair(36.0, 100.0));
    s->setPosition(s->x() + 10, s->y(), 1);
    s->setScale(1, 1);
    EXPECT_EQ(std::pair(s->x(), s->y()), std::pair(110.0, 100.0));
    Sprite* tall = make(100, 100, 1);  // scaled one way only, then both
    tall->setScale(1, 2);
    EXPECT_EQ(std::pair(tall->x(), tall->y()), std::pair(100.0, 84.0));
    tall->setScale(2, 2);
    EXPECT_EQ(std::pair(tall->x(), tall->y()), std::pair(68.0, 84.0));
}

}  // namespace
