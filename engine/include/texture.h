// Texture: one image held by OpenGL, ready to be shown by sprites.
//
// OpenGL 1.1 wants power-of-two sizes, so the image is centred on a
// transparent canvas whose sides are the next powers of two; the Texture
// records both sizes and the image's offset so a Sprite can place the image
// exactly. Pure black is transparent in every image. Textures come from an
// image file (BMP tried first, then TGA) or from a rectangle of a TextSurface.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdint>

class TextSurface;

// Exit code when an image cannot be read.
constexpr int kImageLoadFailureExit = 191;

class Texture {
public:
    // Construction: from an image file, or from a rectangle of a TextSurface.
    explicit Texture(const char* path);
    Texture(TextSurface* source, int x, int y, unsigned w, unsigned h);
    // Deletes the OpenGL texture. A Texture owns its texture name, so it
    // cannot be copied: two copies would delete one name twice.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Loads: each replaces what the texture held, and frees it. An image
    // that cannot be read asks for the end (failImageLoad) and leaves the
    // texture empty.
    void loadFile(const char* path);
    void cutFrom(TextSurface* source, int x, int y, unsigned w, unsigned h);

    // How many Textures exist: a check that texts replaced at run time
    // release the ones they replace.
    static int liveCount();

    // What the rest of the game reads of it.
    uint32_t textureWidth() const { return textureWidth_; }    // canvas width, a power of two >= imageWidth
    uint32_t textureHeight() const { return textureHeight_; }  // canvas height
    int32_t offsetX() const { return offsetX_; }               // x of the image in the canvas
    int32_t offsetY() const { return offsetY_; }               // y of the image in the canvas
    uint32_t imageWidth() const { return imageWidth_; }        // width of the image (or of the rectangle cut)
    uint32_t imageHeight() const { return imageHeight_; }
    GLuint textureName() const { return textureName_; }
    const SDL_Rect& sourceRect() const { return sourceRect_; }  // the rectangle of the source that was copied

private:
    uint32_t textureWidth_ = 0;
    uint32_t textureHeight_ = 0;
    int32_t offsetX_ = 0;
    int32_t offsetY_ = 0;
    uint32_t imageWidth_ = 0;
    uint32_t imageHeight_ = 0;
    GLuint textureName_ = 0;
    SDL_Rect sourceRect_ = {0, 0, 0, 0};

    // Deletes the OpenGL texture, once: a second call does nothing.
    void release();
    void setImageSize(unsigned w, unsigned h);
    void upload(SDL_Surface* canvas);
};

// What is known of a texture's texels, noted when it is made, for drawing
// it with less work and the same result.
struct TexelFacts {
    // Every texel is either fully opaque or fully transparent, as in every
    // image file: at full opacity it covers what lies beneath exactly,
    // blended or not.
    bool binaryAlpha;
    // The smallest rectangle (x0..x1, y0..y1, ends excluded, in texels of
    // the padded texture) holding every texel that is not fully transparent;
    // empty (x0 == x1) when there is none.
    uint16_t x0, y0, x1, y1;
};

// The facts of the texture with this OpenGL name; null for a name no
// Texture holds (or one too large to keep track of).
const TexelFacts* texelFactsOf(GLuint textureName);

// The smallest power of two >= n (0 and 1 give 1).
unsigned nextPowerOfTwo(unsigned n);

// Reads an image file as BMP, or failing that as TGA; the extension plays no
// part. Returns null when neither decoder can read it.
SDL_Surface* loadImageSurface(const char* path);
// Prints "Error could not load file <path>." and asks for the end with exit
// code 191 (shutdown.h): at load, at once.
void failImageLoad(const char* path);
// How many times a texture has been made or deleted: while it stays the
// same, every texture name still shows the texels it showed.
unsigned textureChanges();
// A new OpenGL texture of width x height RGBA texels (bytes R, G, B, A, top
// row first), unfiltered and clamped as every texture of the game is; the
// texture stays bound.
GLuint makeGlTexture(uint32_t width, uint32_t height, const void* rgbaTexels);
