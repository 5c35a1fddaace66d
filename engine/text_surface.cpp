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

TextSurface::TextSurface(const char* imagePath) : colour(&textColour)
{
    loadImage(imagePath);
    initFont();
}

TextSurface::TextSurface(unsigned w, unsigned h) : colour(&textColour)
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
    fontSize_ = 12;
    setFont(kFontPath);
    colour = &textColour;
}

void TextSurface::loadImage(const char* path)
{
    releaseSurfaces();
    // The image is decoded twice: a working copy with black as its colour
    // key, and a clean copy without one to go back to.
    workingSurface_ = loadImageSurface(path);
    cleanSurface_ = loadImageSurface(path);
    if (!workingSurface_ || !cleanSurface_) {
        releaseSurfaces();
        failImageLoad(path);
    } else {
        setBlackColourKey(workingSurface_);
    }
    setSizeFromWorkingSurface();
}

void TextSurface::createBlank(unsigned w, unsigned h)
{
    releaseSurfaces();
    workingSurface_ = createBlankDisplaySurface(w, h);
    cleanSurface_ = createBlankDisplaySurface(w, h);
    if (!workingSurface_ || !cleanSurface_) {
        releaseSurfaces();
        requestShutDown(kBlankSurfaceFailureExit);
    } else {
        setBlackColourKey(workingSurface_);
    }
    setSizeFromWorkingSurface();
}

void TextSurface::setSizeFromWorkingSurface()
{
    width_ = workingSurface_ ? uint32_t(workingSurface_->w) : 0;
    height_ = workingSurface_ ? uint32_t(workingSurface_->h) : 0;
    fullRect_ = {0, 0, Uint16(width_), Uint16(height_)};
}

void TextSurface::drawText(short x, short y, const char* text)
{
    // The font library renders no surface for an empty text.
    if (!text || !*text || !font_ || !workingSurface_)
        return;
    SDL_Surface* rendered = TTF_RenderText_Blended(font_, text, *colour);
    if (!rendered)
        return;
    SDL_Rect target = {x, y, 0, 0};
    SDL_UpperBlit(rendered, nullptr, workingSurface_, &target);
    SDL_FreeSurface(rendered);
}

int TextSurface::textWidth(const char* text)
{
    // The same measurement the renderer makes to size its surface, without
    // rendering anything.
    if (!text || !*text || !font_)
        return 0;
    int w = 0;
    int h = 0;
    if (TTF_SizeText(font_, text, &w, &h) < 0)
        return 0;
    return w;
}

void TextSurface::setFont(const char* path)
{
    fontPath_ = path;
    openFont();
}

void TextSurface::setFontSize(int points)
{
    fontSize_ = points;
    openFont();
}

void TextSurface::openFont()
{
    TTF_Font* opened = TTF_OpenFont(hostPath(fontPath_).c_str(), fontSize_);
    if (!opened) {
        std::fprintf(stderr, "Couldn't load %d pt font from %s: %s\n", fontSize_, fontPath_, SDL_GetError());
        requestShutDown(kFontLoadFailureExit);
        return;
    }
    if (font_)
        TTF_CloseFont(font_);
    font_ = opened;
    TTF_SetFontStyle(font_, TTF_STYLE_NORMAL);
}

void TextSurface::restore()
{
    SDL_Rect whole = fullRect_;
    SDL_Rect origin = {0, 0, 0, 0};
    if (cleanSurface_)
        SDL_UpperBlit(cleanSurface_, &whole, workingSurface_, &origin);
}

void TextSurface::save()
{
    // The working surface's colour key applies: only what is not black is
    // copied onto the clean copy.
    SDL_Rect whole = fullRect_;
    SDL_Rect origin = {0, 0, 0, 0};
    if (workingSurface_)
        SDL_UpperBlit(workingSurface_, &whole, cleanSurface_, &origin);
}

void TextSurface::releaseSurfaces()
{
    if (workingSurface_)
        SDL_FreeSurface(workingSurface_);
    if (cleanSurface_)
        SDL_FreeSurface(cleanSurface_);
    workingSurface_ = nullptr;
    cleanSurface_ = nullptr;
}

void TextSurface::release()
{
    releaseSurfaces();
    if (font_)
        TTF_CloseFont(font_);
    font_ = nullptr;
}
