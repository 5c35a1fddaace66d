// Front-end windows. The label plate and the menu window are drawn with
// additive blending over a dark panel, so their insides are kept very dark
// (they only tint what is behind) and their frames carry the light. The
// highlight bar is bright: the highlighted menu text is cut out of it.
#include "art.h"
#include "paint.h"

#include <cmath>

namespace {

const Colour kFrameLight = rgb8(120, 146, 212);
const Colour kFrameDark = rgb8(44, 56, 104);
const Colour kRivet = rgb8(150, 178, 236);

// A bevelled frame band between two rounded boxes, lit from the upper left.
void frame(Layer& layer, double inset, double thickness, double radius)
{
    double w = layer.width, h = layer.height;
    Inside band = subtract(roundedBox(inset, inset, w - inset, h - inset, radius),
                           roundedBox(inset + thickness, inset + thickness, w - inset - thickness,
                                      h - inset - thickness, radius - thickness));
    fill(layer, band, [=](double x, double y) { return mix(kFrameLight, kFrameDark, (x / w + y / h) / 2); });
}

void rivet(Layer& layer, double x, double y)
{
    fill(layer, ellipse(x, y, 1.6, 1.6), [=](double px, double py) {
        return sphere(kRivet, (px - x) / 1.6, (py - y) / 1.6);
    });
}

// Corner bracket: an L of two bars pointing into the window.
void bracket(Layer& layer, double x, double y, int dirX, int dirY)
{
    const double length = 16, thick = 2;
    double x0 = dirX > 0 ? x : x - length, y0 = dirY > 0 ? y : y - thick;
    fill(layer, box(x0, y0, x0 + length, y0 + thick), kFrameLight);
    double x1 = dirX > 0 ? x : x - thick, y1 = dirY > 0 ? y : y - length;
    fill(layer, box(x1, y1, x1 + thick, y1 + length), kFrameLight);
}

void gem(Layer& layer, double cx, double cy)
{
    fill(layer, polygon({{cx, cy - 5}, {cx + 8, cy}, {cx, cy + 5}, {cx - 8, cy}}), [=](double x, double y) {
        return sphere(rgb8(110, 150, 240), (x - cx) / 8, (y - cy) / 5);
    });
}

} // namespace

Image makePanelPixel()
{
    Image image(1, 1);
    image.at(0, 0) = Rgb{16, 24, 58};
    return image;
}

Image makeScorePlate()
{
    Layer layer(170, 50);
    fill(layer, roundedBox(3, 3, 167, 47, 5), [](double, double y) {
        return mix(rgb8(10, 14, 34), rgb8(4, 6, 16), y / 50);
    });
    frame(layer, 1, 2, 7);
    frame(layer, 4, 1, 4);
    fill(layer, box(16, 23, 154, 24), rgb8(36, 46, 88));           // under the label
    fill(layer, roundedBox(46, 26, 124, 46, 3), rgb8(3, 4, 10));    // digit well
    fill(layer, subtract(roundedBox(45, 25, 125, 47, 4), roundedBox(46, 26, 124, 46, 3)), rgb8(30, 40, 78));
    for (double x : {8.0, 162.0})
        for (double y : {8.0, 42.0})
            rivet(layer, x, y);
    return flatten(layer, rgb8(4, 6, 16), 0.5);
}

Image makeMenuWindow()
{
    Layer layer(366, 264);
    fill(layer, roundedBox(3, 3, 363, 261, 7), [](double, double y) {
        Colour c = mix(rgb8(14, 20, 48), rgb8(5, 7, 20), y / 264);
        return int(y) % 3 == 0 ? c * 0.75 : c; // faint scanlines
    });
    frame(layer, 0, 3, 10);
    frame(layer, 7, 1, 5);
    bracket(layer, 12, 12, 1, 1);
    bracket(layer, 354, 12, -1, 1);
    bracket(layer, 12, 252, 1, -1);
    bracket(layer, 354, 252, -1, -1);
    for (double x : {40.0, 326.0}) {
        fill(layer, box(x - 24, 2, x + 24, 4), rgb8(150, 176, 236)); // lit strips on the top rail
        fill(layer, box(x - 24, 260, x + 24, 262), rgb8(70, 88, 150));
    }
    gem(layer, 183, 3);
    gem(layer, 183, 261);
    for (double y : {112.0, 152.0}) {
        rivet(layer, 4.5, y);
        rivet(layer, 361.5, y);
    }
    return flatten(layer, rgb8(5, 7, 20), 0.5);
}

Image makeHighlightBar()
{
    Image image(240, 26);
    for (int y = 0; y < image.height; ++y) {
        Colour c;
        if (y == 0)
            c = rgb8(240, 246, 255);
        else if (y < 13)
            c = mix(rgb8(214, 230, 255), rgb8(172, 202, 252), (y - 1) / 12.0);
        else if (y < 25)
            c = mix(rgb8(150, 184, 246), rgb8(120, 152, 230), (y - 13) / 12.0);
        else
            c = rgb8(88, 112, 204);
        for (int x = 0; x < image.width; ++x)
            image.at(x, y) = toOpaqueRgb(c);
    }
    return image;
}
