#include "text_surface.h"

#include "media_path.h"
#include "shutdown.h"
#include "texture.h"

#include <cstdio>
#include <cstdlib>

SDL_Color textColour = {255, 255, 255, 0};

namespace {

// A black display-format surface; a size of 0 still gets one pixel, so that
// an empty text (measured 0 wide) gives an empty, transparent texture rather
// than a failure.
SDL_Surface* createBlankDisplaySurface(unsigned w, unsigned h)
{
    SDL_Surface* raw = SDL_CreateRGBSurface(SDL_SWSURFACE, int(w ? w : 1), int(h ? h : 1), 32,
                                            0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!raw)
        return nullptr;
    SDL_Surface* converted = SDL_DisplayFormat(raw);
    SDL_FreeSurface(raw);
    return converted;
}

void setBlackColourKey(SDL_Surface* surface)
{
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, 0, 0, 0));
}

}  // namespace

TextSurface::TextSurface(const char* imagePath)
    : cleanSurface(nullptr), font(nullptr), workingSurface(nullptr)
{
    loadImage(imagePath);
    initFont();
}

TextSurface::TextSurface(unsigned w, unsigned h)
    : cleanSurface(nullptr), font(nullptr), workingSurface(nullptr)
{
    createBlank(w, h);
    initFont();
}

TextSurface::~TextSurface()
{
    release();
}

void TextSurface::initFont()
{
    fontSize = 12;
    setFont(kFontPath);
    colour = &textColour;
}

void TextSurface::loadImage(const char* path)
{
    // The image is decoded twice: a working copy with black as its colour
    // key, and a clean copy without one to go back to.
    workingSurface = loadImageSurface(path);
    if (!workingSurface)
        failImageLoad(path);
    setBlackColourKey(workingSurface);
    cleanSurface = loadImageSurface(path);
    if (!cleanSurface)
        failImageLoad(path);
    setSizeFromWorkingSurface();
}

void TextSurface::createBlank(unsigned w, unsigned h)
{
    workingSurface = createBlankDisplaySurface(w, h);
    if (!workingSurface)
        shutDown(kBlankSurfaceFailureExit);
    setBlackColourKey(workingSurface);
    cleanSurface = createBlankDisplaySurface(w, h);
    if (!cleanSurface)
        shutDown(kBlankSurfaceFailureExit);
    setSizeFromWorkingSurface();
}

void TextSurface::setSizeFromWorkingSurface()
{
    width = uint32_t(workingSurface->w);
    height = uint32_t(workingSurface->h);
    fullRect = {0, 0, Uint16(width), Uint16(height)};
}

void TextSurface::drawText(short x, short y, const char* text)
{
    // The font library renders no surface for an empty text.
    if (!text || !*text)
        return;
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text, *colour);
    if (!rendered)
        return;
    SDL_Rect target = {x, y, 0, 0};
    SDL_UpperBlit(rendered, nullptr, workingSurface, &target);
    SDL_FreeSurface(rendered);
}

int TextSurface::textWidth(const char* text)
{
    // The same measurement the renderer makes to size its surface, without
    // rendering anything.
    if (!text || !*text)
        return 0;
    int w = 0;
    int h = 0;
    if (TTF_SizeText(font, text, &w, &h) < 0)
        return 0;
    return w;
}

void TextSurface::setFont(const char* path)
{
    fontPath = path;
    openFont();
    TTF_SetFontStyle(font, TTF_STYLE_NORMAL);
}

void TextSurface::setFontSize(int points)
{
    fontSize = points;
    openFont();
    TTF_SetFontStyle(font, TTF_STYLE_NORMAL);
}

void TextSurface::openFont()
{
    TTF_Font* opened = TTF_OpenFont(hostPath(fontPath).c_str(), fontSize);
    if (!opened) {
        std::fprintf(stderr, "Couldn't load %d pt font from %s: %s\n", fontSize, fontPath,
                     SDL_GetError());
        shutDown(kFontLoadFailureExit);
    }
    if (font)
        TTF_CloseFont(font);
    font = opened;
}

void TextSurface::restore()
{
    SDL_Rect whole = fullRect;
    SDL_Rect origin = {0, 0, 0, 0};
    SDL_UpperBlit(cleanSurface, &whole, workingSurface, &origin);
}

void TextSurface::save()
{
    // The working surface's colour key applies: only what is not black is
    // copied onto the clean copy.
    SDL_Rect whole = fullRect;
    SDL_Rect origin = {0, 0, 0, 0};
    SDL_UpperBlit(workingSurface, &whole, cleanSurface, &origin);
}

void TextSurface::release()
{
    if (workingSurface)
        SDL_FreeSurface(workingSurface);
    if (cleanSurface)
        SDL_FreeSurface(cleanSurface);
    workingSurface = nullptr;
    cleanSurface = nullptr;
    if (font)
        TTF_CloseFont(font);
    font = nullptr;
}
