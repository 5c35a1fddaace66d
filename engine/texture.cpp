#include "texture.h"

#include "media_path.h"
#include "shutdown.h"
#include "text_surface.h"
#include "texture_atlas.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int liveTextures = 0;
unsigned textureChangeCount = 0;

// Canvas layout: bytes R, G, B, A in memory, as OpenGL's GL_RGBA expects.
constexpr Uint32 kRedMask = 0x000000FF;
constexpr Uint32 kGreenMask = 0x0000FF00;
constexpr Uint32 kBlueMask = 0x00FF0000;
constexpr Uint32 kAlphaMask = 0xFF000000;

// Facts per OpenGL texture name; names are small numbers in practice, and
// those past the end are simply not tracked.
constexpr GLuint kTrackedNames = 4096;
TexelFacts texelFacts[kTrackedNames];
bool tracked[kTrackedNames] = {};

// The alpha of every texel, and where the ones that show lie.
TexelFacts factsOf(const SDL_Surface* canvas)
{
    TexelFacts facts = {true, uint16_t(canvas->w), uint16_t(canvas->h), 0, 0};
    for (int y = 0; y < canvas->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(canvas->pixels) + y * canvas->pitch);
        for (int x = 0; x < canvas->w; ++x) {
            const Uint32 alpha = row[x] & kAlphaMask;
            if (alpha == 0)
                continue;
            facts.binaryAlpha = facts.binaryAlpha && alpha == kAlphaMask;
            facts.x0 = std::min(facts.x0, uint16_t(x));
            facts.y0 = std::min(facts.y0, uint16_t(y));
            facts.x1 = std::max(facts.x1, uint16_t(x + 1));
            facts.y1 = std::max(facts.y1, uint16_t(y + 1));
        }
    }
    if (facts.x1 == 0)
        facts.x0 = facts.y0 = 0;
    return facts;
}

void noteFacts(GLuint name, const SDL_Surface* canvas)
{
    if (name >= kTrackedNames)
        return;
    texelFacts[name] = factsOf(canvas);
    tracked[name] = true;
}

SDL_Surface* decodeWith(const std::string& path, SDL_Surface* (*decode)(SDL_RWops*))
{
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    if (!stream)
        return nullptr;
    SDL_Surface* image = decode(stream);
    SDL_RWclose(stream);
    return image;
}

// A fresh, all-zero (transparent black) canvas.
SDL_Surface* createCanvas(unsigned w, unsigned h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, int(w), int(h), 32,
                                kRedMask, kGreenMask, kBlueMask, kAlphaMask);
}

}  // namespace

unsigned nextPowerOfTwo(unsigned n)
{
    unsigned value = 1;
    while (value < n)
        value *= 2;
    return value;
}

SDL_Surface* loadImageSurface(const char* path)
{
    const std::string host = hostPath(path);
    SDL_Surface* image = decodeWith(host, IMG_LoadBMP_RW);
    if (!image)
        image = decodeWith(host, IMG_LoadTGA_RW);
    return image;
}

void failImageLoad(const char* path)
{
    std::fprintf(stderr, "Error could not load file %s.", path);
    std::fflush(stderr);
    requestShutDown(kImageLoadFailureExit);
}

Texture::Texture(const char* path)
{
    loadFile(path);
    ++liveTextures;
}

Texture::Texture(TextSurface* source, int x, int y, unsigned w, unsigned h)
{
    cutFrom(source, x, y, w, h);
    ++liveTextures;
}

Texture::~Texture()
{
    release();
    --liveTextures;
}

int Texture::liveCount()
{
    return liveTextures;
}

const TexelFacts* texelFactsOf(GLuint textureName)
{
    return textureName < kTrackedNames && tracked[textureName] ? &texelFacts[textureName] : nullptr;
}

void Texture::release()
{
    if (textureName_ == 0)
        return;
    if (textureName_ < kTrackedNames)
        tracked[textureName_] = false;
    forgetAtlasPlace(textureName_);
    glDeleteTextures(1, &textureName_);
    textureName_ = 0;
    ++textureChangeCount;
}

void Texture::setImageSize(unsigned w, unsigned h)
{
    imageWidth_ = w;
    imageHeight_ = h;
    textureWidth_ = nextPowerOfTwo(w);
    textureHeight_ = nextPowerOfTwo(h);
    // The image sits centred on the canvas; both halves are rounded down.
    offsetX_ = int16_t(textureWidth_ / 2 - imageWidth_ / 2);
    offsetY_ = int16_t(textureHeight_ / 2 - imageHeight_ / 2);
}

void Texture::loadFile(const char* path)
{
    release();
    SDL_Surface* image = loadImageSurface(path);
    if (!image) {
        failImageLoad(path);
        cutFrom(nullptr, 0, 0, 0, 0);
        return;
    }

    setImageSize(unsigned(image->w), unsigned(image->h));
    SDL_Surface* canvas = createCanvas(textureWidth_, textureHeight_);
    sourceRect_ = {0, 0, Uint16(image->w), Uint16(image->h)};

    // With black as the colour key, the blit copies every other pixel as
    // opaque and leaves black, like the canvas border, at alpha 0.
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, SDL_MapRGB(image->format, 0, 0, 0));
    SDL_Rect source = sourceRect_;
    SDL_Rect target = {Sint16(offsetX_), Sint16(offsetY_), 0, 0};
    SDL_UpperBlit(image, &source, canvas, &target);

    upload(canvas);
    SDL_FreeSurface(canvas);
    SDL_FreeSurface(image);
}

// A rectangle of nothing (no source, or none of it) makes an empty texture.
void Texture::cutFrom(TextSurface* source, int x, int y, unsigned w, unsigned h)
{
    release();
    setImageSize(w, h);
    SDL_Surface* canvas = createCanvas(textureWidth_, textureHeight_);
    sourceRect_ = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};

    // The working surface already has black as its colour key.
    if (source && source->workingSurface() && w > 0 && h > 0) {
        SDL_Rect rect = sourceRect_;
        SDL_Rect target = {Sint16(offsetX_), Sint16(offsetY_), 0, 0};
        SDL_UpperBlit(source->workingSurface(), &rect, canvas, &target);
    }

    upload(canvas);
    SDL_FreeSurface(canvas);
}

void Texture::upload(SDL_Surface* canvas)
{
    textureName_ = makeGlTexture(textureWidth_, textureHeight_, canvas->pixels);
    noteFacts(textureName_, canvas);
}

unsigned textureChanges()
{
    return textureChangeCount;
}

GLuint makeGlTexture(uint32_t width, uint32_t height, const void* rgbaTexels)
{
    ++textureChangeCount;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // No filtering: scaled sprites keep hard pixel edges.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // The first row of texels is the image's top row: texture row t = 0.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(width), GLsizei(height), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgbaTexels);
    return name;
}
