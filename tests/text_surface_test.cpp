// Text measurement and drawing, the clean copy, text on an image, a blank
// of width 0, a highlighted menu item, and a notice's picture.
#include "text_surface.h"

#include "notice.h"
#include "test_display.h"
#include "test_images.h"
#include "text_sprites.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A surface at 24 pt with `text` drawn at (0, y).
struct Drawn : TextSurface {
    Drawn(const char* text, short y = 0, unsigned w = 120, unsigned h = 40) : TextSurface((ensureDisplay(), w), h)
    {
        setFontSize(24);
        drawText(0, y, text);
    }
    // The working surface's pixels, row by row.
    std::vector<Uint32> pixels() const
    {
        std::vector<Uint32> out;
        const SDL_Surface* surface = workingSurface();
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
            out.insert(out.end(), row, row + surface->w);
        }
        return out;
    }
};

TEST(TextSurfaceTest, MeasuresAndDrawsClippedAtTheTopAndRestoresItsCleanCopy)
{
    Drawn s("", 0, 50, 30);
    EXPECT_EQ(s.pixels(), std::vector<Uint32>(50 * 30, s.pixels()[0])) << "empty text draws nothing";
    EXPECT_EQ(s.textWidth(""), 0);
    s.setFontSize(40);
    s.setFontSize(32);
    TTF_Font* font32 = TTF_OpenFont("media/Square Bold.ttf", 32);
    SDL_Surface* rendered = TTF_RenderText_Blended(font32, "Game Over", textColour);
    EXPECT_EQ(s.textWidth("Game Over"), rendered->w) << "measured at the last size set";
    SDL_FreeSurface(rendered);
    TTF_CloseFont(font32);

    const std::vector<Uint32> atTop = Drawn("Hg").pixels(), raised = Drawn("Hg", -4).pixels();
    EXPECT_NE(atTop, std::vector<Uint32>(atTop.size(), atTop[0]));
    EXPECT_EQ(std::vector<Uint32>(raised.begin(), raised.end() - 4 * 120),
              std::vector<Uint32>(atTop.begin() + 4 * 120, atTop.end()));

    Drawn reused("");
    reused.save();
    reused.drawText(0, 0, "ONE");
    reused.restore();
    reused.drawText(0, 0, "TWO");
    EXPECT_EQ(reused.pixels(), Drawn("TWO").pixels());
}

TEST(TextSurfaceTest, CutsCentredTexturesAndBlackTextIsAHoleInAnImage)
{
    Drawn whole("", 0, 100, 40);
    Texture t(&whole, 0, 0, 100, 40);
    EXPECT_EQ(t.textureWidth(), 128);
    EXPECT_EQ(t.textureHeight(), 64);
    EXPECT_EQ(t.offsetX(), 14);
    EXPECT_EQ(t.offsetY(), 12);
    // An empty name measures 0 wide; its blank must still give an empty texture.
    TextSurface blank(0, 30);
    blank.setFontSize(16);
    blank.drawText(0, 0, "");
    Texture empty(&blank, 0, 0, 0, 30);
    EXPECT_EQ(empty.imageWidth(), 0);
    EXPECT_EQ(empty.textureWidth(), 1);

    const std::string path = scratchDirectory() + "/bar.bmp";
    writeBmp(path, 100, 30, [](int, int) { return Rgb{250, 220, 90}; });
    SDL_Color black = {0, 0, 0, 0};
    TextSurface bar(path.c_str());
    bar.setFontSize(24);
    bar.colour = &black;
    bar.drawText(0, -4, "Quit");
    const int holes = inkOf(Texture(&bar, 0, 0, 60, 26), true).count;
    EXPECT_GT(holes, 20) << "the letters are cut out of the bar";
    EXPECT_LT(holes, 60 * 26 - 600) << "the bar stays";
}

// A highlighted item's letters, cut out of its bar, stand where the plain
// item's ink does, four rows up with the bar.
TEST(TextSurfaceTest, AHighlightKeepsItsItemsLettersInPlace)
{
    ensureDisplay();
    for (const char* item : {"One Player", "Quit"}) {
        const std::unique_ptr<Texture> plain(makeTextTexture(item, kMenuPoints, kTextLineHeight, 0));
        const std::unique_ptr<Texture> lit(makeHighlightTexture(item));
        const Ink cut = inkOf(*lit, true), ink = inkOf(*plain);
        EXPECT_EQ(cut.left, ink.left) << item;
        EXPECT_NEAR(cut.top, ink.top - 4, 1) << item << ": only the darkest texels are cut out";
    }
}

// The plate's colour and alpha, the text added on and opaque, `margin`
// wide either side, the bottom row first.
TEST(NoticePictureTest, TextAddsOntoThePlateTurnedBottomRowFirst)
{
    TextSurface text((ensureDisplay(), 8u), 4u);
    SDL_Surface* surface = text.workingSurface();
    SDL_FillRect(surface, nullptr, 0);
    SDL_Rect dot = {1, 0, 1, 1};  // top row, second column
    SDL_FillRect(surface, &dot, SDL_MapRGB(surface->format, 100, 50, 25));
    const NoticePicture notice(text, 8, 4, SDL_Color{10, 20, 30, 0}, 200, 2);
    ASSERT_EQ(notice.width(), 12u);
    ASSERT_EQ(notice.height(), 4u);
    for (unsigned y = 0; y < 4; ++y)
        for (unsigned x = 0; x < 12; ++x) {
            const uint8_t* p = notice.pixels() + (y * 12 + x) * 4;
            const bool dotHere = y == 3 && x == 3;
            const std::vector<int> expected = dotHere ? std::vector<int>{110, 70, 55, 255} : std::vector<int>{10, 20, 30, 200};
            EXPECT_EQ(std::vector<int>(p, p + 4), expected) << x << "," << y;
        }
}

}  // namespace
