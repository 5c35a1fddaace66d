// TextSurface: an off-screen SDL picture with a TrueType font attached.
//
// Text is rendered anti-aliased into the working surface, and a Texture is
// then cut from it so a Sprite can show it. A second, clean surface keeps a
// copy to go back to, so the same TextSurface can be erased and written again
// (the level banner is redrawn this way for every level). Sprite sheets are
// also read into a TextSurface before they are cut into frames.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>

// The game's only font.
constexpr const char* kFontPath = "media\\Square Bold.ttf";
// Exit code when the font cannot be opened.
constexpr int kFontLoadFailureExit = 3;
// Exit code when a blank surface cannot be made.
constexpr int kBlankSurfaceFailureExit = 1;

// The default text colour record, white; every TextSurface starts pointing
// at it. Surfaces share colour records: changing one recolours them all.
extern SDL_Color textColour;

class TextSurface {
public:
    // Construction: from an image file, or blank (black) of w x h pixels.
    explicit TextSurface(const char* imagePath);
    TextSurface(unsigned w, unsigned h);
    // Frees the surfaces and closes the font. A TextSurface owns them, so
    // it cannot be copied: two copies would free them twice.
    ~TextSurface();
    TextSurface(const TextSurface&) = delete;
    TextSurface& operator=(const TextSurface&) = delete;

    // Loads: each replaces the surfaces the text surface held, and frees
    // them. A failure asks for the end (an image: failImageLoad; a blank
    // surface: kBlankSurfaceFailureExit) and leaves it empty, 0 x 0.
    void loadImage(const char* path);
    void createBlank(unsigned w, unsigned h);

    // Text: drawn with its top-left corner at (x, y), clipped to the surface.
    void drawText(short x, short y, const char* text);
    // Width in pixels of text in the current font; "" measures 0.
    int textWidth(const char* text);

    // Font: path and size; each change opens the font anew in place of the
    // old. A font that cannot be opened asks for the end (its message and
    // kFontLoadFailureExit), and text then draws and measures as nothing.
    void setFont(const char* path);
    void setFontSize(int points);
    void openFont();

    // The clean copy: save keeps what is drawn now, restore goes back to it.
    void restore();
    void save();

    // What the rest of the game reads of it.
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    SDL_Surface* workingSurface() const { return workingSurface_; }

    // The colour record text is drawn in; the game points it at its own.
    SDL_Color* colour;

private:
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    SDL_Surface* cleanSurface_ = nullptr;
    int32_t fontSize_ = 0;
    const char* fontPath_ = nullptr;
    TTF_Font* font_ = nullptr;
    SDL_Rect fullRect_ = {0, 0, 0, 0};
    SDL_Surface* workingSurface_ = nullptr;

    // Frees the surfaces (not the font); safe to call again.
    void releaseSurfaces();
    // Frees what the surface holds; safe to call again.
    void release();
    void setSizeFromWorkingSurface();
    void initFont();
};
