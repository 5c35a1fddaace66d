#include "icon_art.h"

#include "art.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kAlienFrameSize = 31;
constexpr int kTankSize = 48;

// The tank assembled from its parts at the game's own offsets from its
// top-left corner.
Image assembleTank()
{
    const TankPaint paint = playerOnePaint();
    Image tank(kTankSize, kTankSize);
    tank.blitKeyed(makeTankCannon(paint), 20, 4);
    for (int i = 0; i < 4; ++i)
        tank.blitKeyed(makeTankRoadWheel(), 2 + 11 * i, 37);
    tank.blitKeyed(makeTankBody(paint), 6, 23);
    tank.blitKeyed(makeTankBridge(paint), 14, 15);
    tank.blitKeyed(makeTankWheelCover(paint), 1, 30);
    return tank;
}

Image drawIcon()
{
    // The top left of the backdrop's sky, so the icon has the game's colours.
    Image icon = makeBackdrop().crop(0, 0, kIconSize, kIconSize);
    const Image alien = makeAlienSheet().crop(0, 0, kAlienFrameSize, kAlienFrameSize);
    // The alien above, the tank below it with its cannon raised at it.
    icon.blitKeyed(alien, (kIconSize - kAlienFrameSize) / 2, 0);
    icon.blitKeyed(assembleTank(), (kIconSize - kTankSize) / 2, kIconSize - kTankSize);
    return icon;
}

// Each output pixel is the average of the source area it covers, weighted by
// how much of each source pixel falls inside it. At a whole multiple of the
// source's size that repeats each pixel exactly.
Image resample(const Image& source, int size)
{
    Image out(size, size);
    const double step = double(source.width) / size;
    auto overlap = [](double a0, double a1, double b0, double b1) { return std::max(0.0, std::min(a1, b1) - std::max(a0, b0)); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum;
            double weight = 0;
            for (int sy = int(y * step); sy < std::min(source.height, int(std::ceil((y + 1) * step))); ++sy)
                for (int sx = int(x * step); sx < std::min(source.width, int(std::ceil((x + 1) * step))); ++sx) {
                    double w = overlap(x * step, (x + 1) * step, sx, sx + 1) * overlap(y * step, (y + 1) * step, sy, sy + 1);
                    sum = sum + fromRgb(source.at(sx, sy)) * w;
                    weight += w;
                }
            out.at(x, y) = toOpaqueRgb(sum * (1.0 / weight));
        }
    return out;
}

}  // namespace

Image makeIcon(int size)
{
    const Image icon = drawIcon();
    return size == kIconSize ? icon : resample(icon, size);
}
