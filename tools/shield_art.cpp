// Shields: an energy bar between two emitter balls. The bar's 8 x 8 frames
// are stretched six times wide, so each column becomes a 6-pixel block; a
// bright surge runs along the columns over the 24 frames (forwards, then
// back, as the game plays them), with a little crackle. The balls are lit
// metal orbs with three sparks circling them; their 6 frames loop.
#include "art.h"
#include "paint.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kArcFrames = 24;
constexpr int kArcSize = 8;
constexpr int kBallFrames = 6;
constexpr int kBallSize = 16;

const Colour kEnergy = rgb8(70, 210, 255);
const Colour kOrb = rgb8(60, 120, 190);

// Brightness across the bar, row by row: a white-hot core fading outwards.
constexpr double kRowProfile[kArcSize] = {0.0, 0.32, 0.62, 0.95, 0.95, 0.62, 0.32, 0.0};

Image arcFrame(int frame, Rng& crackle)
{
    Image image(kArcSize, kArcSize);
    double front = frame / double(kArcFrames - 1) * (kArcSize + 2) - 1;
    for (int x = 0; x < kArcSize; ++x) {
        double surge = std::exp(-std::pow((x - front) / 1.4, 2));
        double flicker = crackle.range(-0.12, 0.12);
        for (int y = 0; y < kArcSize; ++y) {
            double level = kRowProfile[y] * (0.62 + 0.38 * surge + flicker);
            if (level <= 0)
                continue;
            Colour c = kEnergy * level;
            if (kRowProfile[y] > 0.9)
                c = mix(c, rgb(1, 1, 1), 0.25 + 0.6 * surge);
            image.at(x, y) = toOpaqueRgb(c);
        }
    }
    return image;
}

Image ballFrame(int frame)
{
    Layer layer(kBallSize, kBallSize);
    const double c = 8.0;
    glow(layer, c, c, 6.5, kEnergy, 0.35);
    fill(layer, ellipse(c, c, 5.6, 5.6), [=](double x, double y) {
        return sphere(kOrb, (x - c) / 5.6, (y - c) / 5.6);
    });
    fill(layer, ellipse(c, c, 2.4, 2.4), mix(kEnergy, rgb(1, 1, 1), 0.5 + 0.1 * (frame % 2)));
    // Three sparks, a third of a turn apart, advance 20 degrees per frame:
    // after 6 frames the pattern is where it began.
    for (int k = 0; k < 3; ++k) {
        double a = (frame * 20.0 + k * 120.0) * kPi / 180.0;
        double sx = c + 5.4 * std::cos(a), sy = c + 5.4 * std::sin(a);
        fill(layer, ellipse(sx, sy, 1.3, 1.3), mix(kEnergy, rgb(1, 1, 1), 0.6));
    }
    Image image = flatten(layer, rgb8(10, 30, 56), 0.5);
    addOutline(image, Rgb{8, 20, 40});
    return image;
}

} // namespace

Image makeShieldArcSheet()
{
    Rng crackle(0xA4C);
    Image sheet(kArcSize * kArcFrames, kArcSize);
    for (int f = 0; f < kArcFrames; ++f)
        sheet.blitKeyed(arcFrame(f, crackle), f * kArcSize, 0);
    return sheet;
}

Image makeShieldBallSheet()
{
    Image sheet(kBallSize * kBallFrames, kBallSize);
    for (int f = 0; f < kBallFrames; ++f)
        sheet.blitKeyed(ballFrame(f), f * kBallSize, 0);
    return sheet;
}
