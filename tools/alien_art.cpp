// The alien: a purple, big-eyed squid. Its 9 frames play back and forth, so
// each moving part is a function of t = frame / 8 running 0..1 and back:
// the tentacles sway, the eyes look across, the antennae bob and the cheek
// glands pulse.
#include "art.h"
#include "paint.h"

#include <cmath>

namespace {

constexpr int kAlienFrames = 9;
constexpr int kAlienSize = 31;

const Colour kSkin = rgb8(150, 72, 206);
const Colour kSkinDark = rgb8(84, 34, 128);
const Colour kEye = rgb8(214, 255, 120);
const Colour kGland = rgb8(255, 120, 210);

void paintTentacles(Layer& layer, double t)
{
    const double roots[4] = {8.5, 13, 18, 22.5};
    for (int k = 0; k < 4; ++k) {
        double side = k < 2 ? -1.0 : 1.0;
        double prevX = roots[k], prevY = 18.0;
        for (int s = 1; s <= 6; ++s) {
            double y = 18.0 + s * 1.9;
            double sway = std::sin(kPi * (2 * t - 1) + k * 1.3 + s * 0.7) * 0.55 * s;
            double x = roots[k] + side * s * 0.45 + sway;
            double radius = 1.9 - s * 0.2;
            Colour c = mix(kSkinDark, kGland, s / 8.0);
            fill(layer, capsule(prevX, prevY, x, y, radius), [=](double px, double) {
                return lit(c, (px < x ? 0.15 : -0.2));
            });
            prevX = x;
            prevY = y;
        }
    }
}

void paintHead(Layer& layer, double t)
{
    const double cx = 15.5, cy = 12.5, rx = 11, ry = 9;
    // Antennae first, so the head covers their roots.
    for (int side = -1; side <= 1; side += 2) {
        double bob = std::sin(kPi * t + (side > 0 ? 0.9 : 0)) * 1.4;
        double tipX = cx + side * 9.5, tipY = 2.2 + bob;
        fill(layer, capsule(cx + side * 4.5, cy - 6, tipX, tipY, 0.8), kSkinDark);
        fill(layer, ellipse(tipX, tipY, 1.7, 1.7), [=](double x, double y) {
            return sphere(kGland, (x - tipX) / 1.7, (y - tipY) / 1.7);
        });
    }
    fill(layer, ellipse(cx, cy, rx, ry), [=](double x, double y) {
        Colour skin = sphere(kSkin, (x - cx) / rx, (y - cy) / ry * 0.9);
        // Darker ridges run over the crown.
        if (y < cy - 2 && std::fabs(std::sin((x - cx) * 0.9)) < 0.22)
            skin = lit(skin, -0.3);
        return skin;
    });
    double pulse = 0.5 + 0.5 * std::sin(kPi * t);
    for (int side = -1; side <= 1; side += 2)
        glow(layer, cx + side * 8, cy + 3.5, 1.8, kGland, 0.35 + 0.5 * pulse);
}

void paintFace(Layer& layer, double t)
{
    const double eyeY = 12.5;
    double look = (t - 0.5) * 1.6;
    for (int side = -1; side <= 1; side += 2) {
        double ex = 15.5 + side * 4.6;
        fill(layer, ellipse(ex, eyeY, 3.3, 3.6), [=](double x, double y) {
            return sphere(kEye, (x - ex) / 3.3, (y - eyeY) / 3.6);
        });
        fill(layer, ellipse(ex + look, eyeY + 0.3, 0.9, 2.4), rgb8(24, 8, 30)); // slit pupil
    }
    // A wide grin with two fangs.
    Inside grin = subtract(ellipse(15.5, 16.2, 5.8, 3.6), ellipse(15.5, 14.6, 6.4, 3.2));
    fill(layer, grin, rgb8(40, 8, 46));
    for (double x : {12.6, 18.4})
        fill(layer, polygon({{x - 1.1, 17.2}, {x + 1.1, 17.2}, {x, 19.6}}), rgb8(246, 242, 228));
}

Image alienFrame(double t)
{
    Layer layer(kAlienSize, kAlienSize);
    paintTentacles(layer, t);
    paintHead(layer, t);
    paintFace(layer, t);
    Image image = flatten(layer, rgb8(30, 8, 44));
    addOutline(image, Rgb{22, 6, 32});
    return image;
}

} // namespace

Image makeAlienSheet()
{
    Image sheet(kAlienSize * kAlienFrames, kAlienSize);
    for (int f = 0; f < kAlienFrames; ++f)
        sheet.blitKeyed(alienFrame(f / double(kAlienFrames - 1)), f * kAlienSize, 0);
    return sheet;
}
