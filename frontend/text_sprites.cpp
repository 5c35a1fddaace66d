#include "text_sprites.h"

#include "hud.h"
#include "notice.h"
#include "scene.h"
#include "sprite.h"
#include "text_surface.h"
#include "texture.h"

namespace {

constexpr const char* kHighlightBarPath = "media\\windows\\inv text back.bmp";
constexpr unsigned kHighlightHeight = 26;

// A notice's plate: the dark blue of the game's panels, nearly opaque, a
// little wider than the text.
constexpr SDL_Color kNoticePlateColour = {16, 24, 58, 0};
constexpr uint8_t kNoticePlateAlpha = 220;
constexpr unsigned kNoticeMargin = 12;
// Where the text is drawn on it: the font's empty top rows cut away so the
// letters stand in the middle.
constexpr short kNoticeTextY = -1;

}  // namespace

int measureText(const char* text, int points)
{
    TextSurface scratch(10, 10);
    scratch.setFontSize(points);
    return scratch.textWidth(text);
}

namespace {

// Text drawn at (0, drawY) on a blank surface as wide as the text (which
// `width` gets; an empty text's surface is still a pixel wide), in the
// game's text colour.
std::unique_ptr<TextSurface> drawLine(const char* text, int points, unsigned height, short drawY, unsigned& width)
{
    width = unsigned(measureText(text, points));
    auto surface = std::make_unique<TextSurface>(width, height);
    surface->setFontSize(points);
    surface->colour = &gameTextColour;
    surface->drawText(0, drawY, text);
    return surface;
}

}  // namespace

Texture* makeTextTexture(const char* text, int points, unsigned height, short drawY)
{
    unsigned width = 0;
    const std::unique_ptr<TextSurface> surface = drawLine(text, points, height, drawY, width);
    return new Texture(surface.get(), 0, 0, width, height);
}

std::unique_ptr<NoticePicture> makeNoticePicture(const char* text)
{
    unsigned width = 0;
    const std::unique_ptr<TextSurface> surface = drawLine(text, kMenuPoints, kNoticeHeight, kNoticeTextY, width);
    return std::make_unique<NoticePicture>(*surface, width, kNoticeHeight, kNoticePlateColour, kNoticePlateAlpha,
                                           kNoticeMargin);
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

