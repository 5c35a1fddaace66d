#include "icon_art.h"

#include "art.h"

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

}  // namespace

Image makeIcon()
{
    // The top left of the backdrop's sky, so the icon has the game's colours.
    Image icon = makeBackdrop().crop(0, 0, kIconSize, kIconSize);
    const Image alien = makeAlienSheet().crop(0, 0, kAlienFrameSize, kAlienFrameSize);
    // The alien above, the tank below it with its cannon raised at it.
    icon.blitKeyed(alien, (kIconSize - kAlienFrameSize) / 2, 0);
    icon.blitKeyed(assembleTank(), (kIconSize - kTankSize) / 2, kIconSize - kTankSize);
    return icon;
}
