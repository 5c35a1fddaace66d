// The mothership: a saucer with a glass dome (its pilot inside), a rim of 13
// running lights and two landing legs. The 13 frames loop: one light runs
// round the rim per frame with a fading trail, and the engine ring pulses
// once per loop. The pieces it bursts into are cut from the same drawing.
#include "art.h"
#include "paint.h"
#include "rng.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kShipFrames = 13;
constexpr int kShipWidth = 100;
constexpr int kShipHeight = 60;

const Colour kHull = rgb8(168, 176, 208);
const Colour kHullDark = rgb8(70, 76, 104);
const Colour kGlass = rgb8(80, 190, 226);
const Colour kPilot = rgb8(150, 72, 206);
const Colour kLeg = rgb8(118, 124, 148);
const Colour kEngine = rgb8(255, 150, 60);
const Rgb kOutline{14, 12, 28};

void paintLeg(Layer& layer, int side)
{
    double hipX = 50 + side * 14, kneeX = 50 + side * 22, footX = 50 + side * 27;
    auto steel = [](double x, double) { return lit(kLeg, 0.25 * std::sin(x * 1.7)); };
    fill(layer, capsule(hipX, 36, kneeX, 46, 2.0), steel);
    fill(layer, capsule(kneeX, 46, footX, 54, 1.6), steel);
    fill(layer, ellipse(kneeX, 46, 2.4, 2.4), [=](double x, double y) {
        return sphere(kLeg, (x - kneeX) / 2.4, (y - 46) / 2.4);
    });
    fill(layer, roundedBox(footX - 4.5, 53, footX + 4.5, 57.5, 1.5), [](double, double y) {
        return bevel(kHullDark, y, 53, 57.5);
    });
}

void paintDome(Layer& layer)
{
    fill(layer, capsule(50, 9, 50, 3.5, 0.9), kLeg); // antenna
    fill(layer, ellipse(50, 3, 1.8, 1.8), rgb8(255, 90, 80));
    fill(layer, intersect(ellipse(50, 22, 17, 14), box(0, 0, 100, 26)), [](double x, double y) {
        double nx = (x - 50) / 17, ny = (y - 22) / 14;
        Colour glass = mix(kGlass * 0.45, kGlass, 0.5 - 0.5 * ny);
        // A bright reflection arc on the upper left.
        double d = std::hypot(nx + 0.35, ny + 0.45);
        if (d > 0.22 && d < 0.42 && nx < 0.1)
            glass = mix(glass, rgb(1, 1, 1), 0.75);
        return glass;
    });
    fill(layer, ellipse(50, 18, 5.5, 5), [](double x, double y) {
        return sphere(kPilot, (x - 50) / 5.5, (y - 18) / 5);
    });
    for (int side = -1; side <= 1; side += 2)
        fill(layer, ellipse(50 + side * 2.2, 18, 1.4, 1.1), rgb8(214, 255, 120));
}

void paintHull(Layer& layer, int frame)
{
    const double phase = 2 * kPi * frame / kShipFrames;
    fill(layer, ellipse(50, 37, 27, 6.5), [](double, double y) { return bevel(kHullDark, y, 31, 43); });
    fill(layer, ellipse(50, 41.5, 12, 2.4), kEngine * (0.55 + 0.35 * std::cos(phase)));
    glow(layer, 50, 42, 6, kEngine, 0.25 + 0.2 * std::cos(phase));
    fill(layer, ellipse(50, 30, 48, 9.5), [](double x, double y) {
        double ny = (y - 30) / 9.5;
        Colour c = lit(kHull, 0.35 - 0.75 * (ny + 1) / 2);
        if (std::fabs(x - 50) < 30 && y < 24.5) // sheen on the upper curve
            c = lit(c, 0.2);
        return c;
    });
    fill(layer, intersect(ellipse(50, 30, 48, 9.5), box(0, 27.5, 100, 33.5)), [](double, double y) {
        return bevel(kHullDark, y, 27.5, 33.5);
    });
    // Running lights, alternately red and amber; the lit one chases the rim.
    for (int i = 0; i < kShipFrames; ++i) {
        double x = 8 + i * 7.0;
        int behind = ((frame - i) % kShipFrames + kShipFrames) % kShipFrames;
        double level = behind == 0 ? 1.0 : behind == 1 ? 0.6 : behind == 2 ? 0.32 : 0.12;
        Colour lamp = i % 2 ? rgb8(255, 196, 70) : rgb8(255, 72, 60);
        fill(layer, ellipse(x, 30.5, 2.5, 2.1), mix(lamp * level, rgb(1, 1, 1), level > 0.9 ? 0.45 : 0));
        if (behind == 0)
            glow(layer, x, 30.5, 3.2, lamp, 0.7);
    }
}

Image shipFrame(int frame)
{
    Layer layer(kShipWidth, kShipHeight);
    paintLeg(layer, -1);
    paintLeg(layer, 1);
    paintDome(layer);
    paintHull(layer, frame);
    Image image = flatten(layer, rgb8(24, 22, 40));
    addOutline(image, kOutline);
    return image;
}

// The smallest image around the non-black pixels, with a one-pixel margin
// for the outline.
Image trimmed(const Image& image)
{
    int x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (!image.at(x, y).isBlack()) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return Image(2, 2);
    // Even sizes keep the pieces on whole pixels when the game centres them.
    int w = x1 - x0 + 3, h = y1 - y0 + 3;
    return image.crop(x0 - 1, y0 - 1, w + w % 2, h + h % 2);
}

// The hull split into three along two jagged cracks near x = 28 and x = 72, either side of the dome.
Image hullPiece(const Image& hull, int piece)
{
    std::vector<double> left(kShipHeight), right(kShipHeight);
    Rng crack(0xC4AC);
    for (int y = 0; y < kShipHeight; ++y) {
        left[y] = 28 + 2.5 * std::sin(y * 1.3) + crack.range(-1.5, 1.5);
        right[y] = 72 + 2.5 * std::sin(y * 1.1 + 2) + crack.range(-1.5, 1.5);
    }
    Image out(kShipWidth, kShipHeight);
    for (int y = 0; y < kShipHeight; ++y)
        for (int x = 0; x < kShipWidth; ++x) {
            int part = x < left[y] ? 0 : x < right[y] ? 1 : 2;
            if (part == piece)
                out.at(x, y) = hull.at(x, y);
        }
    addOutline(out, kOutline);
    return trimmed(out);
}

} // namespace

Image makeMothershipSheet()
{
    Image sheet(kShipWidth * kShipFrames, kShipHeight);
    for (int f = 0; f < kShipFrames; ++f)
        sheet.blitKeyed(shipFrame(f), f * kShipWidth, 0);
    return sheet;
}

std::vector<Image> makeMothershipPieces()
{
    Layer hullLayer(kShipWidth, kShipHeight);
    paintDome(hullLayer);
    paintHull(hullLayer, 0);
    Image hull = flatten(hullLayer, rgb8(24, 22, 40));

    std::vector<Image> pieces;
    for (int piece = 0; piece < 3; ++piece)
        pieces.push_back(hullPiece(hull, piece));
    for (int side = -1; side <= 1; side += 2) {
        Layer legLayer(kShipWidth, kShipHeight);
        paintLeg(legLayer, side);
        Image leg = flatten(legLayer, rgb8(24, 22, 40));
        addOutline(leg, kOutline);
        pieces.push_back(trimmed(leg));
    }
    return pieces;
}
