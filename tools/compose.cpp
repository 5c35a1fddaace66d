#include "compose.h"

#include <algorithm>
#include <cmath>

void drawImage(Image& target, const Image& source, const Placement& at)
{
    double halfW = source.width * at.scaleX / 2, halfH = source.height * at.scaleY / 2;
    double a = at.degrees * 3.14159265358979 / 180.0, c = std::cos(a), s = std::sin(a);
    double reach = std::hypot(halfW, halfH) + 1;
    int x0 = std::max(0, int(at.centreX - reach)), x1 = std::min(target.width, int(at.centreX + reach) + 1);
    int y0 = std::max(0, int(at.centreY - reach)), y1 = std::min(target.height, int(at.centreY + reach) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            // Undo the turn, then the scale, to find the source texel.
            double dx = x + 0.5 - at.centreX, dy = y + 0.5 - at.centreY;
            double ux = dx * c + dy * s, uy = -dx * s + dy * c;
            int sx = int(std::floor((ux + halfW) / at.scaleX)), sy = int(std::floor((uy + halfH) / at.scaleY));
            if (!source.contains(sx, sy) || source.at(sx, sy).isBlack())
                continue;
            Colour texel = fromRgb(source.at(sx, sy)) * at.tint;
            Colour under = fromRgb(target.at(x, y));
            Colour out = at.blend == Blend::Additive ? under + texel * at.opacity : mix(under, texel, at.opacity);
            target.at(x, y) = toOpaqueRgb(out);
        }
}

Placement topLeft(const Image& source, double x, double y)
{
    return scaledTopLeft(source, x, y, 1, 1);
}

Placement scaledTopLeft(const Image& source, double x, double y, double sx, double sy)
{
    Placement p;
    p.centreX = x + source.width * sx / 2;
    p.centreY = y + source.height * sy / 2;
    p.scaleX = sx;
    p.scaleY = sy;
    return p;
}

Image frameOf(const Image& strip, int frameWidth, int index)
{
    return strip.crop(frameWidth * index, 0, frameWidth, strip.height);
}

Image enlarged(const Image& source, int factor)
{
    Image out(source.width * factor, source.height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.at(x, y) = source.at(x / factor, y / factor);
    return out;
}
