// Text measurement and drawing, the clean copy, font changes, and the
// failures: a missing font, an empty text, a blank surface of width 0.
#include "text_surface.h"

#include "test_display.h"
#include "test_images.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class TextSurfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureDisplay(); }

    // The working surface's pixels as 32-bit values, row by row.
    static std::vector<Uint32> pixels(const TextSurface& s)
    {
        std::vector<Uint32> out;
        SDL_Surface* w = s.workingSurface;
        SDL_LockSurface(w);
        for (int y = 0; y < w->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(w->pixels) + y * w->pitch);
            out.insert(out.end(), row, row + w->w);
        }
        SDL_UnlockSurface(w);
        return out;
    }

    static bool anyLit(const std::vector<Uint32>& px)
    {
        for (Uint32 p : px)
            if (p & 0x00FFFFFF)
                return true;
        return false;
    }
};

TEST_F(TextSurfaceTest, WidthIsTheRenderedWidthAndEmptyMeasuresZero)
{
    TextSurface s(10, 10);
    s.setFontSize(32);
    SDL_Surface* rendered = TTF_RenderText_Blended(s.font, "Game Over", textColour);
    ASSERT_NE(rendered, nullptr);
    EXPECT_EQ(s.textWidth("Game Over"), rendered->w);
    SDL_FreeSurface(rendered);
    EXPECT_GT(s.textWidth("Hall Of Fame"), s.textWidth("Quit"));
    EXPECT_EQ(s.textWidth(""), 0);
}

TEST_F(TextSurfaceTest, EmptyTextDrawsNothing)
{
    TextSurface s(50, 30);
    s.drawText(0, 0, "");
    EXPECT_FALSE(anyLit(pixels(s)));
}

TEST_F(TextSurfaceTest, DrawingAtMinusFourClipsTheTopRows)
{
    TextSurface atTop(80, 40);
    TextSurface raised(80, 40);
    atTop.setFontSize(24);
    raised.setFontSize(24);
    atTop.drawText(0, 0, "Hg");
    raised.drawText(0, -4, "Hg");
    const std::vector<Uint32> a = pixels(atTop);
    const std::vector<Uint32> b = pixels(raised);
    ASSERT_TRUE(anyLit(a));
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(b[std::size_t(y * 80 + x)], a[std::size_t((y + 4) * 80 + x)]) << x << "," << y;
}

TEST_F(TextSurfaceTest, RestoreGoesBackToTheSavedCopy)
{
    TextSurface s(120, 40);
    s.setFontSize(24);
    s.save();
    s.drawText(0, 0, "ONE");
    s.restore();
    s.drawText(0, 0, "TWO");
    TextSurface fresh(120, 40);
    fresh.setFontSize(24);
    fresh.drawText(0, 0, "TWO");
    EXPECT_EQ(pixels(s), pixels(fresh));
}

TEST_F(TextSurfaceTest, SizeChangesKeepOneFontAtTheNewSize)
{
    TextSurface s(10, 10);
    s.setFontSize(40);
    s.setFontSize(32);
    EXPECT_EQ(s.fontSize, 32);
    TextSurface reference(10, 10);
    reference.setFontSize(32);
    EXPECT_EQ(TTF_FontHeight(s.font), TTF_FontHeight(reference.font));
    EXPECT_EQ(s.textWidth("LEVEL 12"), reference.textWidth("LEVEL 12"));
}

TEST_F(TextSurfaceTest, CuttingAWholeSurfacePadsItCentred)
{
    TextSurface s(100, 40);
    Texture t(&s, 0, 0, 100, 40);
    EXPECT_EQ(t.textureWidth, 128u);
    EXPECT_EQ(t.textureHeight, 64u);
    EXPECT_EQ(t.offsetX, 14);
    EXPECT_EQ(t.offsetY, 12);
}

// An empty name measures 0 wide; its blank surface and texture must still
// come out, empty and transparent, instead of ending the program.
TEST_F(TextSurfaceTest, AZeroWidthBlankGivesAnEmptyTexture)
{
    TextSurface s(0, 30);
    s.setFontSize(16);
    s.drawText(0, 0, "");
    Texture t(&s, 0, 0, 0, 30);
    EXPECT_EQ(t.imageWidth, 0u);
    EXPECT_EQ(t.textureWidth, 1u);
    std::vector<uint8_t> texels(std::size_t(t.textureWidth) * t.textureHeight * 4, 7);
    glBindTexture(GL_TEXTURE_2D, t.textureName);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    for (std::size_t i = 3; i < texels.size(); i += 4)
        EXPECT_EQ(texels[i], 0);
}

TEST_F(TextSurfaceTest, TextOnAnImageKeepsTheImageAndBlackBecomesAHole)
{
    const std::string path = scratchDirectory() + "/bar.bmp";
    writeBmp(path, 100, 30, [](int, int) { return Rgb{250, 220, 90}; });
    SDL_Color black = {0, 0, 0, 0};
    TextSurface bar(path.c_str());
    bar.setFontSize(24);
    bar.colour = &black;
    bar.drawText(0, -4, "Quit");
    Texture t(&bar, 0, 0, 60, 26);
    std::vector<uint8_t> texels(std::size_t(t.textureWidth) * t.textureHeight * 4);
    glBindTexture(GL_TEXTURE_2D, t.textureName);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    int holes = 0;
    int opaque = 0;
    for (uint32_t y = 0; y < 26; ++y)
        for (uint32_t x = 0; x < 60; ++x) {
            const uint8_t a = texels[((y + uint32_t(t.offsetY)) * t.textureWidth + x + uint32_t(t.offsetX)) * 4 + 3];
            (a == 0 ? holes : opaque)++;
        }
    EXPECT_GT(holes, 20) << "the letters are cut out of the bar";
    EXPECT_GT(opaque, 600);
}

// The dying children need the font library but no display.
TEST(TextSurfaceFailure, AMissingFontEndsTheProgramWith3)
{
    const std::string path = scratchDirectory() + "/sheet.bmp";
    writeBmp(path, 4, 4, [](int, int) { return Rgb{9, 9, 9}; });
    EXPECT_EXIT(
        {
            TTF_Init();
            TextSurface s(path.c_str());
            s.setFontSize(24);
            s.setFont("media\\missing.ttf");
        },
        ::testing::ExitedWithCode(3), "Couldn't load 24 pt font from media\\\\missing\\.ttf: ");
}

TEST(TextSurfaceFailure, AnUnreadableImageEndsTheProgramWith191)
{
    EXPECT_EXIT({ TextSurface s("media\\windows\\nothing.tga"); }, ::testing::ExitedWithCode(191),
                "Error could not load file media\\\\windows\\\\nothing\\.tga\\.");
}

}  // namespace
