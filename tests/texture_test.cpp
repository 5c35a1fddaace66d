// Texture canvases, transparency, decoding order and the load failure.
#include "texture.h"

#include "test_display.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TextureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureDisplay(); }

    static Texture* load(const std::string& name, int w, int h, Rgb colour = {90, 90, 90})
    {
        const std::string path = scratchDirectory() + "/" + name;
        writeBmp(path, w, h, [colour](int, int) { return colour; });
        return new Texture(path.c_str());
    }

    // The RGBA bytes OpenGL holds for a texture.
    static std::vector<uint8_t> texels(const Texture& t)
    {
        std::vector<uint8_t> pixels(std::size_t(t.textureWidth) * t.textureHeight * 4);
        glBindTexture(GL_TEXTURE_2D, t.textureName);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

TEST(NextPowerOfTwo, RoundsUpToAPowerOfTwo)
{
    EXPECT_EQ(nextPowerOfTwo(0), 1u);
    EXPECT_EQ(nextPowerOfTwo(1), 1u);
    EXPECT_EQ(nextPowerOfTwo(3), 4u);
    EXPECT_EQ(nextPowerOfTwo(256), 256u);
    EXPECT_EQ(nextPowerOfTwo(257), 512u);
}

TEST_F(TextureTest, ImagesAreCentredOnPowerOfTwoCanvases)
{
    struct Case {
        int w, h;
        uint32_t tw, th;
        int32_t ox, oy;
    };
    const Case cases[] = {{100, 60, 128, 64, 14, 2},  {31, 31, 32, 32, 1, 1},  {640, 480, 1024, 512, 192, 16},
                          {64, 64, 64, 64, 0, 0},     {65, 1, 128, 1, 32, 0}, {9, 9, 16, 16, 4, 4}};
    for (const Case& c : cases) {
        Texture* t = load("c.bmp", c.w, c.h);
        EXPECT_EQ(t->textureWidth, c.tw) << c.w;
        EXPECT_EQ(t->textureHeight, c.th) << c.h;
        EXPECT_EQ(t->offsetX, c.ox) << c.w;
        EXPECT_EQ(t->offsetY, c.oy) << c.h;
        EXPECT_EQ(t->imageWidth, uint32_t(c.w));
        EXPECT_EQ(t->sourceRect.w, c.w);
        delete t;
    }
}

TEST_F(TextureTest, OnlyPureBlackIsTransparent)
{
    const std::string path = scratchDirectory() + "/keyed.bmp";
    // Left half pure black, right half the darkest red there is.
    writeBmp(path, 8, 4, [](int x, int) { return x < 4 ? Rgb{0, 0, 0} : Rgb{1, 0, 0}; });
    Texture t(path.c_str());
    const std::vector<uint8_t> px = texels(t);
    auto alphaAt = [&](int x, int y) { return px[(std::size_t(y) * t.textureWidth + std::size_t(x)) * 4 + 3]; };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(3, 3), 0);
    EXPECT_EQ(alphaAt(4, 0), 255);
    EXPECT_EQ(px[4 * 4 + 0], 1) << "the red value is kept";
    // 8 x 4 needs no padding; the nine-wide image's padding is transparent.
    Texture* padded = load("nine.bmp", 9, 1, {200, 200, 200});
    const std::vector<uint8_t> p2 = texels(*padded);
    EXPECT_EQ(p2[3], 0);                        // column 0: padding
    EXPECT_EQ(p2[4 * 4 + 3], 255);              // column 4: the image starts
    EXPECT_EQ(p2[13 * 4 + 3], 0);               // column 13: padding again
    delete padded;
}

TEST_F(TextureTest, ABmpNamedTgaLoadsAsBmp)
{
    Texture* t = load("really_a_bitmap.tga", 20, 10);
    EXPECT_EQ(t->imageWidth, 20u);
    EXPECT_EQ(t->imageHeight, 10u);
    delete t;
}

// The failures come before any GL call, so the dying child needs no display
// of its own (a second full-screen window would only slow it down).
TEST(TextureLoadFailure, AMissingFileEndsTheProgramWith191)
{
    EXPECT_EXIT(
        {
            Texture t("media\\no\\such.tga");
        },
        ::testing::ExitedWithCode(191), "^Error could not load file media\\\\no\\\\such\\.tga\\.$");
}

TEST(TextureLoadFailure, ACorruptFileEndsTheProgramWith191)
{
    const std::string path = scratchDirectory() + "/garbage.bmp";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("BM this is not a picture", f);
    std::fclose(f);
    EXPECT_EXIT(
        {
            Texture t(path.c_str());
        },
        ::testing::ExitedWithCode(191), "Error could not load file");
}

}  // namespace
