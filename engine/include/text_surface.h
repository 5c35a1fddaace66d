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

    void loadImage(const char* path);
    void createBlank(unsigned w, unsigned h);

    // Text: drawn with its top-left corner at (x, y), clipped to the surface.
    void drawText(short x, short y, const char* text);
    // Width in pixels of text in the current font; "" measures 0.
    int textWidth(const char* text);

    // Font: path and size; each change opens the font anew in place of the old.
    void setFont(const char* path);
    void setFontSize(int points);
    void openFont();

    // The clean copy: save keeps what is drawn now, restore goes back to it.
    void restore();
    void save();

    uint32_t width;
    uint32_t height;
    SDL_Surface* cleanSurface;
    int32_t fontSize;
    const char* fontPath;
    TTF_Font* font;
    SDL_Rect fullRect;
    SDL_Surface* workingSurface;
    SDL_Color* colour;

private:
    // Frees what the surface holds; safe to call again.
    void release();
    void setSizeFromWorkingSurface();
    void initFont();
};
