#include "text_sheet.h"

#include "label_font.h"
#include "square_font.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

const Colour kGameText = rgb8(94, 112, 159);
const Rgb kPanelBackground{14, 14, 22};
const Rgb kCaption{200, 204, 220};

Rgb clamped(Colour c)
{
    auto byte = [](double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return Rgb{byte(c.r), byte(c.g), byte(c.b)};
}

void paintText(Image& target, int x, int y, const std::string& text, int points,
               const std::function<Colour(Colour, double)>& paint)
{
    const TextCoverage ink = squareTextCoverage(text, points);
    for (int py = 0; py < ink.height; ++py)
        for (int px = 0; px < ink.width; ++px)
            if (ink.at(px, py) > 0 && target.contains(x + px, y + py)) {
                Rgb& p = target.at(x + px, y + py);
                p = clamped(paint(fromRgb(p), ink.at(px, py)));
            }
}

struct ShownText {
    std::string text;
    int points;
    const char* box;
};

// As the game shows them. The credits and the web address are the game's own
// lines; the names and scores are the widest the hall of fame can hold.
const std::vector<ShownText>& shownTexts()
{
    static const std::vector<ShownText> texts = {
        {"LEVEL 1", 40, "level banner - 144 x 40 - drawn 4 up"},
        {"LEVEL 63", 40, "level banner - 144 x 40 - drawn 4 up"},
        {"One Player", 24, "menu item w x 30 - highlighted w x 26 4 up"},
        {"Two Player", 24, "menu item"},
        {"Hall Of Fame", 24, "menu item"},
        {"Quit", 24, "menu item"},
        {"Back", 24, "highlighted only"},
        {"Player 1 Score:", 16, "heads-up label - 170 x 50 plate"},
        {"Player 2 Score:", 16, "heads-up label"},
        {"Lives:", 16, "heads-up label"},
        {"0123456789", 16, "digits - each w x 30"},
        {"WWWWWWWWWWWW", 16, "hall-of-fame name - 280 to the score column"},
        {"888888", 16, "hall-of-fame score - 51 to the window edge"},
        {"Enter your name", 16, "prompt - 80 before the typed name"},
        {"MMMMMMMM", 16, "typed name - 160 x 30"},
        {"Game Over", 32, "end banner - w x 40 - drawn 4 up"},
        {"You Win", 32, "end banner"},
        {"Game Loading...", 32, "loading screen"},
        {"korvath.example", 32, "loading screen"},
        {"A Brenlow Game", 20, "credit line - w x 40 - drawn 4 up"},
        {"Programming by the Korvath team", 20, "credit line"},
        {"Art by the Korvath team", 20, "credit line"},
        {"Music by the Korvath team", 20, "credit line"},
        {"Special Thanks To:", 20, "credit line"},
        {"libsdl.org & github.com/libsdl-org", 20, "credit line"},
        {"For the use of their resources.", 20, "credit line"},
    };
    return texts;
}

int rowHeight(int points)
{
    return points * 5 / 4 + 4;
}

} // namespace

void addGameText(Image& target, int x, int y, const std::string& text, int points)
{
    paintText(target, x, y, text, points, [](Colour under, double a) { return under + kGameText * a; });
}

void cutGameText(Image& target, int x, int y, const std::string& text, int points)
{
    paintText(target, x, y, text, points, [](Colour under, double a) { return under * (1 - a); });
}

Image gameTextsPanel(int width)
{
    int height = 8;
    for (const ShownText& t : shownTexts())
        height += rowHeight(t.points);
    Image panel(width, height);
    std::fill(panel.pixels.begin(), panel.pixels.end(), kPanelBackground);
    int y = 4;
    for (const ShownText& t : shownTexts()) {
        addGameText(panel, 8, y, t.text, t.points);
        const std::string caption = std::to_string(t.points) + " PT - " +
                                    std::to_string(squareTextWidth(t.text, t.points)) + " WIDE - " + t.box;
        drawLabel(panel, 420, y + rowHeight(t.points) / 2 - 4, caption, kCaption);
        y += rowHeight(t.points);
    }
    return panel;
}
