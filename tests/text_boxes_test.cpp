// Every text in a fixed box keeps all its ink inside it: drawn with room
// all round, then in the game's box; any texel the box loses was cut off.
#include "scene.h"
#include "test_display.h"
#include "test_images.h"
#include "text_sprites.h"
#include "text_surface.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRoom = 16; // margin round the whole rendering

// Where the hall of fame's columns stand: the menu window is 366 wide and
// centred, names start 35 in and scores 315 in.
constexpr int kWindowLeft = 137;
constexpr int kWindowRight = 503;
constexpr int kNameColumnWidth = 315 - 35;
constexpr int kScoreColumnWidth = kWindowRight - (kWindowLeft + 315);
// The prompt starts at x 172 and should end before the typed name's x 260
// less a gap: by x 252.
constexpr int kPromptWidth = 252 - 172;

struct Box {
    std::string what;
    std::string text;
    int points;
    int x, y;       // where the text is drawn on the surface
    int w, h;       // the rectangle cut from its top-left corner
};

Ink drawnInk(const std::string& text, int points, int x, int y, int w, int h)
{
    TextSurface surface{unsigned(w), unsigned(h)};
    surface.setFontSize(points);
    surface.colour = &gameTextColour;
    surface.drawText(short(x), short(y), text.c_str());
    Texture cut(&surface, 0, 0, unsigned(w), unsigned(h));
    return inkOf(cut);
}

Box ownWidth(const std::string& what, const std::string& text, int points, int y, int h)
{
    return {what, text, points, 0, y, measureText(text.c_str(), points), h};
}

// The ten letters that make the widest names, widest first.
std::string widestLetters()
{
    std::string letters;
    for (char c = 'a'; c <= 'z'; ++c)
        letters += {c, char(c - 'a' + 'A')};
    std::stable_sort(letters.begin(), letters.end(), [](char a, char b) {
        return measureText(std::string(8, a).c_str(), kSmallTextPoints) >
               measureText(std::string(8, b).c_str(), kSmallTextPoints);
    });
    return letters.substr(0, 10);
}

std::vector<Box> everyFixedBox()
{
    std::vector<Box> boxes;
    for (int level = 1; level <= 63; ++level)
        boxes.push_back({"level banner", "LEVEL " + std::to_string(level), kLevelBannerPoints, 0, -4, 144, 40});
    for (const char* label : {"Player 1 Score:", "Player 2 Score:", "Lives:"})
        boxes.push_back({"heads-up label", label, kSmallTextPoints, 85 - measureText(label, kSmallTextPoints) / 2, 4,
                         170, 50});
    // Highlighted items are drawn 4 up on the bar and cut 26 high; the bar
    // only changes their colour, not where their ink falls.
    for (const char* item : {"One Player", "Two Player", "Hall Of Fame", "Quit"})
        boxes.push_back(ownWidth("menu item", item, kMenuPoints, 0, 30));
    for (const char* item : {"One Player", "Two Player", "Hall Of Fame", "Quit", "Back"})
        boxes.push_back(ownWidth("highlighted menu item", item, kMenuPoints, -4, 26));
    for (char digit = '0'; digit <= '9'; ++digit)
        boxes.push_back(ownWidth("digit", std::string(1, digit), kSmallTextPoints, 0, 30));
    const std::string widest = widestLetters();
    for (int row = 0; row < 10; ++row) {
        boxes.push_back({"hall-of-fame name", std::string(12, widest[row]), kSmallTextPoints, 0, 0,
                         kNameColumnWidth, 30});
        boxes.push_back({"hall-of-fame score", std::string(6, char('9' - row)), kSmallTextPoints, 0, 0,
                         kScoreColumnWidth, 30});
    }
    for (char c = 'a'; c <= 'z'; ++c)
        for (char letter : {c, char(c - 'a' + 'A')})
            boxes.push_back({"typed name", std::string(8, letter), kSmallTextPoints, 0, 0, 160, 30});
    boxes.push_back({"prompt", "Enter your name", kSmallTextPoints, 0, 0, kPromptWidth, 30});
    for (const char* line : creditLines)
        boxes.push_back(ownWidth("credit line", line, kCreditPoints, -4, 40));
    for (const char* banner : {"Game Over", "You Win", "Game Loading..."})
        boxes.push_back(ownWidth("banner", banner, kBannerPoints, -4, 40));
    return boxes;
}

// A highlighted item's letters, cut out of its bar, stand where the plain
// item's ink does, four rows up with the bar.
TEST(TextBoxesTest, AHighlightKeepsItsItemsLettersInPlace)
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

TEST(TextBoxesTest, EveryFixedTextKeepsAllItsInkInsideItsBox)
{
    ensureDisplay();
    for (const Box& box : everyFixedBox()) {
        const int width = measureText(box.text.c_str(), box.points);
        const Ink whole = drawnInk(box.text, box.points, kRoom, kRoom, width + 2 * kRoom, 2 * box.points + 2 * kRoom);
        const Ink kept = drawnInk(box.text, box.points, box.x, box.y, box.w, box.h);
        ASSERT_GT(whole.count, 0) << box.text;
        // The whole ink as it falls in the box's coordinates.
        std::ostringstream extent;
        extent << "ink spans x " << whole.left - kRoom + box.x << ".." << whole.right - kRoom + box.x << ", y "
               << whole.top - kRoom + box.y << ".." << whole.bottom - kRoom + box.y << " in a box of " << box.w
               << " x " << box.h;
        EXPECT_EQ(kept.count, whole.count) << box.what << " \"" << box.text << "\" at " << box.points
                                           << " pt: " << extent.str();
    }
}

} // namespace
