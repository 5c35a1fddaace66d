// Tank parts. Each is drawn in its own image at the size that puts it in
// place when the game assembles the tank (offsets in art.h): the tank is
// 46 pixels wide with its centre line 24 pixels right of the tank's x; the
// cannon points straight up behind the bridge; the wheel cover is the track
// belt with a fender on top, open in the middle so the road wheels show.
#include "art.h"
#include "paint.h"

#include <cmath>

namespace {

const Rgb kOutline{12, 14, 20};
const Colour kTrackSteel = rgb8(72, 74, 86);
const Colour kGunMetal = rgb8(128, 134, 150);

Image finish(const Layer& layer)
{
    Image image = flatten(layer, rgb8(14, 16, 24));
    addOutline(image, kOutline);
    return image;
}

// A bolt head: dark ring, lit top.
void bolt(Layer& layer, double x, double y, Colour base)
{
    fill(layer, ellipse(x, y, 1.1, 1.1), [=](double, double py) { return lit(base, py < y ? 0.5 : -0.45); });
}

} // namespace

TankPaint playerOnePaint() { return {rgb8(104, 146, 66), rgb8(255, 226, 110)}; }
TankPaint playerTwoPaint() { return {rgb8(196, 92, 48), rgb8(120, 230, 255)}; }

Image makeTankWheelCover(const TankPaint& paint)
{
    Layer layer(46, 16);
    Inside belt = subtract(roundedBox(1, 5, 45, 15.5, 5), roundedBox(4, 7.5, 42, 13, 2.5));
    fill(layer, belt, [](double x, double y) {
        // Tread blocks on the lower run, links on the upper one.
        bool tread = int(std::floor(x)) % 3 == 0;
        double shade = y > 13 ? (tread ? -0.45 : 0.05) : (y < 7.5 ? (tread ? -0.2 : 0.25) : 0.0);
        return lit(kTrackSteel, shade);
    });
    Inside fender = polygon({{1, 8}, {4, 1.5}, {42, 1.5}, {45, 8}});
    fill(layer, fender, [&](double, double y) { return bevel(paint.hull, y, 1.5, 8); });
    fill(layer, box(5, 6, 41, 7), lit(paint.hull, -0.45)); // shadow line under the fender lip
    for (double x = 9; x < 40; x += 7)
        bolt(layer, x, 4, paint.hull);
    return finish(layer);
}

Image makeTankRoadWheel()
{
    Layer layer(10, 10);
    const double c = 5.0;
    fill(layer, ellipse(c, c, 4.8, 4.8), [=](double x, double y) {
        return sphere(rgb8(46, 46, 56), (x - c) / 4.8, (y - c) / 4.8);
    });
    fill(layer, ellipse(c, c, 3.5, 3.5), [=](double x, double y) {
        return sphere(rgb8(150, 156, 172), (x - c) / 3.5, (y - c) / 3.5);
    });
    // Three holes make the wheel's turning visible.
    for (int k = 0; k < 3; ++k) {
        double a = k * 2.0943951 - 1.5707963;
        fill(layer, ellipse(c + 2.2 * std::cos(a), c + 2.2 * std::sin(a), 0.85, 0.85), rgb8(30, 30, 38));
    }
    fill(layer, ellipse(c, c, 1.1, 1.1), rgb8(210, 214, 224));
    return flatten(layer, rgb8(20, 20, 26));
}

Image makeTankBody(const TankPaint& paint)
{
    Layer layer(36, 12);
    Inside hull = polygon({{1, 11.5}, {1, 5}, {5.5, 1}, {30.5, 1}, {35, 5}, {35, 11.5}});
    fill(layer, hull, [&](double x, double y) {
        Colour c = bevel(paint.hull, y, 1, 11.5);
        // Sloped ends catch less light than the flat top.
        if (x < 5 || x > 31)
            c = lit(c, -0.18);
        return c;
    });
    fill(layer, box(3, 6, 33, 7), lit(paint.hull, -0.5));       // plate seam
    fill(layer, roundedBox(9, 2.5, 16, 5.5, 1), lit(paint.hull, -0.25)); // hatch
    fill(layer, box(9, 2.5, 16, 3.2), lit(paint.hull, 0.35));
    fill(layer, ellipse(30.5, 4.2, 1.4, 1.4), paint.lamp);          // marker lamp
    glow(layer, 30.5, 4.2, 2.0, paint.lamp, 0.35);
    for (double x = 21; x < 29; x += 3)
        bolt(layer, x, 4, paint.hull);
    return finish(layer);
}

Image makeTankBridge(const TankPaint& paint)
{
    Layer layer(20, 12);
    const double cx = 10, cy = 11.5, rx = 9, ry = 10;
    Inside dome = intersect(ellipse(cx, cy, rx, ry), box(0, 0, 20, 11.5));
    fill(layer, dome, [&](double x, double y) {
        return sphere(paint.hull, (x - cx) / rx * 0.9, (y - cy) / ry * 0.9 - 0.1);
    });
    fill(layer, roundedBox(7, 1, 13, 3.5, 1), lit(paint.hull, -0.35)); // gun mantlet
    fill(layer, roundedBox(3.5, 6, 9.5, 7.6, 0.8), rgb8(16, 22, 30));  // vision slit
    fill(layer, box(4.5, 6.3, 6.5, 7.2), mix(paint.lamp, rgb(1, 1, 1), 0.3));
    fill(layer, box(2, 10, 18, 11.5), lit(paint.hull, -0.55));          // turret ring
    return finish(layer);
}

Image makeTankCannon(const TankPaint& paint)
{
    Layer layer(8, 16);
    auto tube = [](double x, double) { return lit(kGunMetal, 0.45 - 0.5 * std::fabs(x - 3.4)); };
    fill(layer, box(2.5, 4, 5.5, 15.5), tube);
    fill(layer, box(2, 9, 6, 10.5), bevel(paint.hull, 9.5, 8.5, 10.5));    // paint band
    fill(layer, roundedBox(1, 1, 7, 5, 1), tube);                           // muzzle brake
    fill(layer, box(1, 2.5, 7, 3.3), rgb8(26, 28, 36));                     // its vents
    fill(layer, box(3.2, 1, 4.8, 2), rgb8(20, 20, 26));                     // the bore
    return finish(layer);
}
