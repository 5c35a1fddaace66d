// Shots and effect particles. The shots glow: white-hot cores fading to
// their colour at the rim, with no dark outline. The swirls are three-armed
// spirals inside the inscribed circle of their 64 x 64 canvas, so spinning
// the texture never carries an arm into the clamped border; they are drawn
// small, without filtering, so arms and outline are several pixels thick.
#include "art.h"
#include "paint.h"

#include <cmath>

namespace {

constexpr int kSwirlSize = 64;
constexpr double kSwirlCentre = 32.0;
constexpr double kSwirlRadius = 29.0;

// Colour along a hot glow: t = 0 at the core to 1 at the rim.
Colour heatRamp(double t, Colour hot, Colour mid, Colour rim)
{
    if (t < 0.3)
        return mix(rgb(1, 1, 0.94), hot, t / 0.3);
    if (t < 0.65)
        return mix(hot, mid, (t - 0.3) / 0.35);
    return mix(mid, rim, std::min(1.0, (t - 0.65) / 0.35));
}

// Where a point lies across a spiral arm: 0 at its leading edge, rising to
// 1 across the arm and the gap behind it; and the arm's width there.
struct ArmPlace {
    double across;
    double width;
    double radius;
};

ArmPlace armPlace(double x, double y)
{
    double dx = x - kSwirlCentre, dy = y - kSwirlCentre;
    double r = std::hypot(dx, dy);
    double u = std::atan2(dy, dx) / (2 * kPi) * 3 + r / 13.0;
    return {u - std::floor(u), 0.58 - 0.24 * r / kSwirlRadius, r};
}

bool inSwirl(double x, double y)
{
    ArmPlace p = armPlace(x, y);
    return p.radius < 5.0 || (p.radius < kSwirlRadius && p.across < p.width);
}

// Pixel mask of the swirl's arms.
Image swirlMask(Colour light, Colour shade)
{
    Layer layer(kSwirlSize, kSwirlSize);
    fill(layer, inSwirl, [=](double x, double y) {
        ArmPlace p = armPlace(x, y);
        double t = p.radius < 5.0 ? 0.0 : p.across / p.width;
        return mix(light, shade, t);
    });
    return flatten(layer, shade, 0.5);
}

// Pixels within radius of the mask but outside it.
Image ring(const Image& mask, double radius, Rgb colour)
{
    Image out(mask.width, mask.height);
    int reach = int(std::ceil(radius));
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.at(x, y).isBlack())
                continue;
            bool near = false;
            for (int oy = -reach; oy <= reach && !near; ++oy)
                for (int ox = -reach; ox <= reach && !near; ++ox)
                    near = ox * ox + oy * oy <= radius * radius && mask.contains(x + ox, y + oy) &&
                           !mask.at(x + ox, y + oy).isBlack();
            if (near)
                out.at(x, y) = colour;
        }
    return out;
}

// The mask's own edge pixels (those with a transparent 4-neighbour).
Image edge(const Image& mask, Rgb colour)
{
    Image out(mask.width, mask.height);
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (mask.at(x, y).isBlack())
                continue;
            for (int k = 0; k < 4; ++k)
                if (!mask.contains(x + dx[k], y + dy[k]) || mask.at(x + dx[k], y + dy[k]).isBlack()) {
                    out.at(x, y) = colour;
                    break;
                }
        }
    return out;
}

} // namespace

Image makeBullet()
{
    Layer layer(8, 12);
    Inside drop = unite(ellipse(4, 4.6, 3.5, 4.2), polygon({{0.9, 5.8}, {7.1, 5.8}, {4, 11.9}}));
    fill(layer, drop, [](double x, double y) {
        double t = std::hypot((x - 4) / 3.5, (y - 4.2) / (y > 4.2 ? 7.5 : 4.2));
        return heatRamp(t, rgb8(255, 236, 110), rgb8(255, 150, 40), rgb8(220, 64, 24));
    });
    return flatten(layer, rgb8(120, 30, 10), 0.5);
}

Image makeFlare()
{
    Layer layer(12, 12);
    const double c = 6.0;
    Inside spikes = unite(polygon({{c, 0.2}, {c + 1.6, c}, {c, 11.8}, {c - 1.6, c}}),
                          polygon({{0.2, c}, {c, c - 1.6}, {11.8, c}, {c, c + 1.6}}));
    fill(layer, unite(ellipse(c, c, 3.6, 3.6), spikes), [=](double x, double y) {
        double t = std::hypot(x - c, y - c) / 5.8;
        return heatRamp(t, rgb8(160, 236, 255), rgb8(70, 140, 255), rgb8(50, 60, 210));
    });
    return flatten(layer, rgb8(20, 30, 110), 0.5);
}

Image makeSwirl()
{
    return swirlMask(rgb(1, 1, 1), rgb8(196, 196, 204));
}

Image makeSwirlOutline()
{
    Image mask = swirlMask(rgb(1, 1, 1), rgb(1, 1, 1));
    Image outline = ring(mask, 2.5, Rgb{236, 236, 240});
    outline.blitKeyed(edge(mask, Rgb{255, 255, 255}), 0, 0);
    return outline;
}

Image makePurpleSwirl()
{
    Image swirl = swirlMask(rgb8(224, 168, 255), rgb8(124, 52, 184));
    Image out = ring(swirl, 1.5, Rgb{70, 22, 104});
    out.blitKeyed(swirl, 0, 0);
    out.blitKeyed(edge(swirl, Rgb{238, 206, 255}), 0, 0);
    return out;
}
