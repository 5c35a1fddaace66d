#include "text_sprites.h"

#include "hud.h"
#include "scene.h"
#include "sprite.h"
#include "text_surface.h"
#include "texture.h"

namespace {

constexpr const char* kHighlightBarPath = "media\\windows\\inv text back.bmp";
constexpr unsigned kHighlightHeight = 26;

}  // namespace

int measureText(const char* text, int points)
{
    TextSurface scratch(10, 10);
    scratch.setFontSize(points);
    return scratch.textWidth(text);
}

Texture* makeTextTexture(const char* text, int points, unsigned height, short drawY)
{
    const unsigned width = unsigned(measureText(text, points));
    TextSurface surface(width, height);
    surface.setFontSize(points);
    surface.colour = &gameTextColour;
    surface.drawText(0, drawY, text);
    return new Texture(&surface, 0, 0, width, height);
}

Texture* makeBannerTexture(const char* text)
{
    return makeTextTexture(text, kBannerPoints, kBannerHeight, kBannerTextY);
}

Texture* makeHighlightTexture(const char* text)
{
    const unsigned width = unsigned(measureText(text, kMenuPoints));
    TextSurface bar(kHighlightBarPath);
    bar.setFontSize(kMenuPoints);
    bar.colour = &highlightTextColour;
    bar.drawText(0, kBannerTextY, text);
    return new Texture(&bar, 0, 0, width, kHighlightHeight);
}

