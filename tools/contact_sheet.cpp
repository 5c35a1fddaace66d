#include "contact_sheet.h"

#include "catalogue.h"
#include "compose.h"
#include "label_font.h"
#include "square_font.h"
#include "text_sheet.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

constexpr int kSheetWidth = 1340;
constexpr int kMargin = 20;
const Rgb kSheetBackground{26, 26, 32};
const Rgb kCaption{200, 204, 220};

class Media {
public:
    explicit Media(const std::string& runDir)
    {
        for (const std::string& path : imagePaths()) {
            Image image = readImage(runDir + "/" + path);
            if (image.width == 0)
                throw std::runtime_error("cannot read " + runDir + "/" + path);
            images[path] = image;
        }
    }
    const Image& operator[](const std::string& name) const { return images.at("media/" + name); }
    std::vector<std::string> names() const { return imagePaths(); }

private:
    std::map<std::string, Image> images;
};

void text(Image& target, int x, int y, const std::string& s, Colour colour, int scale = 1)
{
    drawLabel(target, x, y, s, toOpaqueRgb(colour), scale);
}

// Draws one picture with its top-left corner at (x, y), turned by degrees.
void drawPart(Image& target, const Image& image, double x, double y, double degrees = 0)
{
    Placement p = topLeft(image, x, y);
    p.degrees = degrees;
    drawImage(target, image, p);
}

// A tank at (x, y), parts layered as the game layers them: road wheels and
// cannon behind, then body, bridge and the wheel cover in front.
void drawTank(Image& target, const Media& m, const std::string& dir, double x, double y, double tilt)
{
    for (int i = 0; i < 4; ++i)
        drawPart(target, m["sprites/tank_wheel.tga"], x + 2 + 11 * i, y + 37, 45 * i);
    drawPart(target, m[dir + "tank_cannon.tga"], x + 20, y + 4);
    drawPart(target, m[dir + "tank_body.tga"], x + 6, y + 23, tilt);
    drawPart(target, m[dir + "tank_bridge.tga"], x + 14, y + 15, tilt);
    drawPart(target, m[dir + "tank_wheels.tga"], x + 1, y + 30);
}

void drawShields(Image& target, const Media& m, int frameStep)
{
    const Image& arcs = m["sprites/sheild_arc.tga"];
    const Image& balls = m["sprites/sheild_ball.tga"];
    for (int s = 0; s < 3; ++s) {
        double x = 140 + 150 * s;
        Image arc = frameOf(arcs, 8, (s * 8 + frameStep) % 24);
        drawImage(target, arc, scaledTopLeft(arc, x, 400, 6, 1));
        drawPart(target, frameOf(balls, 16, (s + frameStep) % 6), x - 15, 395);
        drawPart(target, frameOf(balls, 16, (s + frameStep + 3) % 6), x + 46, 395);
    }
}

// A heads-up label: the dark panel at 0.75, the plate added over it, the
// label and the digits (a lone digit centred, six at their ten-pixel places).
void drawLabelPlate(Image& target, const Media& m, double x, const std::string& label, const std::string& digits)
{
    const Image& panel = m["windows/window_bg.bmp"];
    Placement shade = scaledTopLeft(panel, x + 4, 6, 162, 40);
    shade.opacity = 0.75;
    drawImage(target, panel, shade);
    Placement plate = topLeft(m["windows/score_0.tga"], x, 0);
    plate.blend = Blend::Additive;
    drawImage(target, m["windows/score_0.tga"], plate);
    addGameText(target, int(x) + 85 - squareTextWidth(label, 16) / 2, 4, label, 16);
    if (digits.size() == 1) {
        addGameText(target, int(x) + 85 - squareTextWidth(digits, 16) / 2, 25, digits, 16);
        return;
    }
    for (size_t j = 0; j < digits.size(); ++j)
        addGameText(target, int(x) + 55 + 10 * int(j), 25, digits.substr(j, 1), 16);
}

// A swirl particle of the bullet trail: the outline tinted over the swirl.
void drawSwirl(Image& target, const Media& m, double cx, double cy, double scale, Colour fillTint, Colour rimTint)
{
    Placement p;
    p.centreX = cx;
    p.centreY = cy;
    p.scaleX = p.scaleY = scale;
    p.degrees = cx * 7;
    p.tint = fillTint;
    drawImage(target, m["effects/swirl.tga"], p);
    p.tint = rimTint;
    drawImage(target, m["effects/swirl_outline.tga"], p);
}

Image playScreen(const Media& m)
{
    Image screen = m["backdrop.tga"];
    const Image& aliens = m["sprites/alien_purple.tga"];
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            if (!(r == 4 && c == 2))
                drawPart(screen, frameOf(aliens, 31, (r + 2 * c) % 9), 96 + 74 * c, 96 + 32 * r);
    Image ship = frameOf(m["sprites/mothership.tga"], 100, 4);
    Placement shipAt = topLeft(ship, 300, 20);
    shipAt.scaleX = shipAt.scaleY = 0.64; // scaled about its centre, as the game does
    drawImage(screen, ship, shipAt);
    drawShields(screen, m, 0);
    drawTank(screen, m, "sprites/", 452, 432, -8);
    drawTank(screen, m, "sprites/sp/", 125, 432, 0);
    // A shot in flight with its trail, an alien burst with purple smoke,
    // falling flares and a tumbling mothership piece.
    drawPart(screen, m["sprites/bullet.tga"], 476, 300);
    const Colour yellow = rgb(1, 1, 0), red = rgb(1, 0, 0), dark = rgb(0.15, 0.15, 0.15);
    drawSwirl(screen, m, 481, 318, 0.16, yellow, red);
    drawSwirl(screen, m, 482, 336, 0.26, yellow, red);
    drawSwirl(screen, m, 480, 356, 0.36, rgb(1, 0.55, 0), rgb(1, 0.45, 0));
    drawSwirl(screen, m, 479, 380, 0.3, dark, rgb(1, 1, 0.6));
    for (int k = 0; k < 4; ++k) {
        Placement puff;
        puff.centreX = 262 + 14 * k - 20;
        puff.centreY = 238 + 6 * (k % 2);
        puff.scaleX = puff.scaleY = 0.2 + 0.07 * k;
        puff.degrees = 40.0 * k;
        drawImage(screen, m["effects/purple_swirl.tga"], puff);
        drawPart(screen, m["effects/blueflare.tga"], 250 + 12 * k, 225 + 9 * k);
    }
    for (int k = 0; k < 3; ++k)
        drawPart(screen, m["effects/blueflare.tga"], 180 + 150 * k, 300 + 30 * k);
    Placement piece = topLeft(m["sprites/mothership_body2.tga"], 560, 90);
    piece.scaleX = piece.scaleY = 0.64;
    piece.degrees = 30;
    drawImage(screen, m["sprites/mothership_body2.tga"], piece);
    drawLabelPlate(screen, m, 470, "Player 1 Score:", "000150");
    drawLabelPlate(screen, m, 0, "Player 2 Score:", "000090");
    drawLabelPlate(screen, m, 235, "Lives:", "3");
    return screen;
}

Image menuScreen(const Media& m)
{
    Image screen = m["backdrop.tga"];
    drawShields(screen, m, 5);
    drawTank(screen, m, "sprites/", 287, 432, 0);
    drawLabelPlate(screen, m, 470, "Player 1 Score:", "000000");
    drawLabelPlate(screen, m, 235, "Lives:", "3");
    const Image& window = m["windows/menu_2.tga"];
    double wx = 320 - window.width / 2, wy = 240 - window.height / 2;
    Placement shade = scaledTopLeft(m["windows/window_bg.bmp"], wx + 17, wy + 19, 366, 264);
    shade.opacity = 0.75;
    drawImage(screen, m["windows/window_bg.bmp"], shade);
    const char* items[4] = {"One Player", "Two Player", "Hall Of Fame", "Quit"};
    for (int i = 0; i < 4; ++i) {
        const int w = squareTextWidth(items[i], 24);
        if (i == 0) {
            // The highlighted item: the bar with the letters cut out of it.
            Image bar = m["windows/inv text back.bmp"].crop(0, 0, w, 26);
            cutGameText(bar, 0, -4, items[i], 24);
            Placement p = topLeft(bar, 320 - w / 2, 144);
            p.blend = Blend::Additive;
            drawImage(screen, bar, p);
        } else {
            addGameText(screen, 320 - w / 2, 140 + 40 * i, items[i], 24);
        }
    }
    Placement p = topLeft(window, wx, wy);
    p.blend = Blend::Additive;
    drawImage(screen, window, p);
    return screen;
}

// Places cells left to right, wrapping at the sheet's width.
class Flow {
public:
    Flow(Image& sheet, int top) : sheet(sheet), x(kMargin), y(top) {}
    void place(const Image& cell, const std::string& caption)
    {
        if (x + cell.width > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + 18;
            rowHeight = 0;
        }
        checker(x, y, cell.width, cell.height);
        sheet.blitKeyed(cell, x, y);
        drawLabel(sheet, x, y + cell.height + 4, caption, kCaption);
        x += std::max(cell.width, int(caption.size()) * kLabelAdvance) + 16;
        rowHeight = std::max(rowHeight, cell.height);
    }
    int bottom() const { return y + rowHeight + 18; }

private:
    // A dark checkerboard behind each image shows where it is transparent.
    void checker(int x0, int y0, int w, int h)
    {
        for (int yy = 0; yy < h; ++yy)
            for (int xx = 0; xx < w; ++xx)
                if (sheet.contains(x0 + xx, y0 + yy))
                    sheet.at(x0 + xx, y0 + yy) = ((xx / 8 + yy / 8) % 2) ? Rgb{44, 44, 54} : Rgb{56, 56, 66};
    }

    Image& sheet;
    int x, y;
    int rowHeight = 0;
};

// Frame widths of the strips, which are shown frame by frame in rows that
// fit the page, so they can be enlarged like the other pictures.
int stripFrameWidth(const std::string& name)
{
    if (name == "sprites/mothership.tga")
        return 100;
    if (name == "sprites/alien_purple.tga")
        return 31;
    if (name == "sprites/sheild_ball.tga")
        return 16;
    if (name == "sprites/sheild_arc.tga")
        return 8;
    return 0;
}

int enlargement(int width, int height)
{
    int byWidth = (kSheetWidth - 2 * kMargin) / width;
    return std::clamp(std::min(240 / std::max(width, height), byWidth), 1, 8);
}

void placePicture(Flow& flow, const std::string& name, const Image& image)
{
    int frameWidth = stripFrameWidth(name);
    if (frameWidth == 0) {
        flow.place(enlarged(image, enlargement(image.width, image.height)), name);
        return;
    }
    int factor = enlargement(frameWidth, image.height);
    int frames = image.width / frameWidth;
    int perRow = std::max(1, (kSheetWidth - 2 * kMargin) / (frameWidth * factor));
    for (int first = 0; first < frames; first += perRow) {
        int count = std::min(perRow, frames - first);
        Image part = image.crop(first * frameWidth, 0, count * frameWidth, image.height);
        flow.place(enlarged(part, factor), name + " frames " + std::to_string(first + 1) + "-" +
                                               std::to_string(first + count));
    }
}

// Returns the y below the last row.
int drawEverything(Image& sheet, const Media& m)
{
    text(sheet, kMargin, 12, "KORVATH MEDIA - CONTACT SHEET", rgb(0.85, 0.88, 1.0), 2);
    sheet.blitKeyed(playScreen(m), kMargin, 40);
    sheet.blitKeyed(menuScreen(m), kMargin * 2 + 640, 40);
    drawLabel(sheet, kMargin, 524, "IN PLAY (TWO PLAYERS - RIGHT TANK TILTED)", kCaption);
    drawLabel(sheet, kMargin * 2 + 640, 524, "TITLE MENU", kCaption);

    Flow flow(sheet, 548);
    flow.place(gameTextsPanel(kSheetWidth - 2 * kMargin), "EVERY TEXT OF THE GAME IN ITS FONT - SQUARE BOLD");
    for (const char* dir : {"sprites/", "sprites/sp/"}) {
        for (double tilt : {0.0, 8.0}) {
            Image stage = m["backdrop.tga"].crop(300, 420, 56, 60);
            drawTank(stage, m, dir, 5, 10, tilt);
            flow.place(enlarged(stage, 5), std::string(dir) + "tank x5" + (tilt ? " tilted" : ""));
        }
    }
    for (const std::string& path : m.names()) {
        std::string name = path.substr(6);
        placePicture(flow, name, m[name]);
    }
    return flow.bottom();
}

} // namespace

void writeContactSheet(const std::string& runDir, const std::string& pngPath)
{
    Media media(runDir);
    Image sheet(kSheetWidth, 6000);
    for (Rgb& p : sheet.pixels)
        p = kSheetBackground;
    int bottom = drawEverything(sheet, media);
    writePng(pngPath, sheet.crop(0, 0, kSheetWidth, std::min(bottom + kMargin, sheet.height)));
}
